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
        return "the stream is closed, or not open for reading or writing";
    case ChybaPameti:
        return "not enough memory";
    case ChybaZapisu:
        return "the device took no data";
    case ChybaSdileni:
        return "the file is in use by another program";
    case ChybaZamku:
        return "part of the file is locked by another program";
    case ChybaSouborExistuje:
        return "the file exists";
    case ChybaParametru:
        return "the system refused the request as invalid";
    case ChybaRoury:
        return "the pipe has been ended";
    case ChybaMista:
        return "no space left on the device";
    case ChybaJmena:
        return "not a valid file name";
    case ChybaZaneprazdneno:
        return "the file or device is busy";
    case ChybaDlouhehoJmena:
        return "the file name is too long";
    case ChybaNejistehoVstupu:
        return "a pipe or device that may never end";
    case ChybaVelikosti:
        return "the file is too large";
    case ChybaZavirani:
        return "the pipe is closed at its other end";
    case ChybaZarizeni:
        return "an input/output error of the device";
    case ChybaOdkazu:
        return "too many levels of symbolic links";
    default:
        return detail::PopisSystemoveChyby(kod);
    }
}

} // namespace vantrel::platforma
