#include "platforma/Chyby.h"

namespace vantrel::platforma {

std::string PopisChyby(int kod) {
    switch (kod) {
    case ChybaNeniSoubor:
        return "no such file";
    case ChybaNeniCesta:
        return "no such folder on the way, or not a valid name";
    case ChybaMnohoSouboru:
        return "too many files are open";
    case ChybaPristupu:
        return "permission denied, or not a file";
    case ChybaHandle:
        return "the file is not open";
    case ChybaPameti:
        return "not enough memory";
    case ChybaZapisu:
        return "the device took nothing";
    case ChybaSdileni:
        return "the file is in use by another program";
    case ChybaZamku:
        return "part of the file is locked by another program";
    case ChybaSouborExistuje:
        return "the file exists";
    case ChybaParametru:
        return "the system refused the request";
    case ChybaRoury:
        return "the pipe has been ended";
    case ChybaMista:
        return "no space left on the device";
    case ChybaJmena:
        return "not a valid file name";
    case ChybaZaneprazdneno:
        return "the device is busy";
    case ChybaDlouhehoJmena:
        return "the name is too long";
    case ChybaNejistehoVstupu:
        return "a pipe or device that may never end";
    case ChybaVelikosti:
        return "the file is too large";
    case ChybaZavirani:
        return "the pipe is being closed";
    case ChybaZarizeni:
        return "the device failed to read or write";
    case ChybaOdkazu:
        return "too many symbolic links";
    default:
        return {};
    }
}

} // namespace vantrel::platforma
