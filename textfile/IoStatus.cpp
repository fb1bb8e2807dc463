#include "textfile/IoStatus.h"

#include "platforma/Utf8.h"

namespace vantrel {

namespace {

// The path of the failure pending in detail::g_ioStatus, for its message.
thread_local std::u16string g_cestaChyby;

} // namespace

std::string ZpravaIoChyby(int kod, const std::u16string& cesta) {
    switch (kod) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid file name - " + KodujUtf8(cesta);
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    case 100:
        return "Read beyond end of file";
    case 101:
        return "Disk full";
    case 106:
        return "Invalid numeric input";
    case 222: // ERROR_BAD_FILE_TYPE
        return "Not joined: a pipe or device may never end - " + KodujUtf8(cesta);
    default:
        return "I/O error " + std::to_string(kod);
    }
}

EInOutError::EInOutError(int kod, const std::u16string& cesta)
    : std::runtime_error(ZpravaIoChyby(kod, cesta)), kod_(kod), cesta_(cesta) {}

void SetIoStatus(int kod) {
    detail::g_ioStatus = kod;
    g_cestaChyby.clear();
}

int TakeIoStatus() {
    const int kod = detail::g_ioStatus;
    detail::g_ioStatus = 0;
    g_cestaChyby.clear();
    return kod;
}

namespace detail {

void VyvolejIoChybu() {
    std::u16string cesta = std::move(g_cestaChyby);
    throw EInOutError(TakeIoStatus(), cesta);
}

void ZaznamenejIoChybu(int kod, const std::u16string& cesta) {
    g_ioStatus = kod;
    g_cestaChyby = cesta;
}

} // namespace detail

} // namespace vantrel
