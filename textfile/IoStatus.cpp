#include "textfile/IoStatus.h"

#include "textfile/KodovaStranka.h"

namespace vantrel {

namespace {

struct TIoStav {
    int kod = 0;
    std::u16string cesta;
};

thread_local TIoStav g_stav;

} // namespace

std::string ZpravaIoChyby(int kod, const std::u16string& cesta) {
    switch (kod) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid file name - " + ProcessCodePage().Koduj(cesta);
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
    default:
        return "I/O error " + std::to_string(kod);
    }
}

EInOutError::EInOutError(int kod, const std::u16string& cesta)
    : std::runtime_error(ZpravaIoChyby(kod, cesta)), kod_(kod), cesta_(cesta) {}

void SetIoStatus(int kod) {
    g_stav.kod = kod;
    g_stav.cesta.clear();
}

int TakeIoStatus() {
    int kod = g_stav.kod;
    g_stav.kod = 0;
    g_stav.cesta.clear();
    return kod;
}

void CheckIoStatus() {
    if (g_stav.kod == 0)
        return;
    std::u16string cesta = std::move(g_stav.cesta);
    throw EInOutError(TakeIoStatus(), cesta);
}

namespace detail {

void ZaznamenejIoChybu(int kod, const std::u16string& cesta) {
    g_stav.kod = kod;
    g_stav.cesta = cesta;
}

bool IoChybaCeka() {
    return g_stav.kod != 0;
}

} // namespace detail

} // namespace vantrel
