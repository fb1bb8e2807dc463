#include "platforma/Prikaz.h"

#include "platforma/Utf8.h"
#include "platforma/win32/Cesta.h"

#include <windows.h>

namespace vantrel::platforma {

const TKodovaStranka& KodovaStrankaZprav() {
    static const TKodovaStranka utf8("65001");
    return utf8;
}

std::string BajtyJmena(const std::u16string& cesta) {
    return KodujUtf8(cesta);
}

// A console takes the characters themselves; a file or a pipe gets the UTF-8.
void ZapisZpravu(const std::string& bajty, bool naChybovyVystup) {
    const HANDLE proud = GetStdHandle(naChybovyVystup ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (proud == nullptr || proud == INVALID_HANDLE_VALUE)
        return;
    DWORD rezim;
    if (GetConsoleMode(proud, &rezim)) {
        const std::wstring text = win32::Siroka(DekodujUtf8(bajty));
        DWORD zapsano;
        WriteConsoleW(proud, text.data(), static_cast<DWORD>(text.size()), &zapsano, nullptr);
        return;
    }
    for (std::size_t hotovo = 0; hotovo < bajty.size();) {
        DWORD zapsano = 0;
        if (!WriteFile(proud, bajty.data() + hotovo, static_cast<DWORD>(bajty.size() - hotovo),
                       &zapsano, nullptr) ||
            zapsano == 0)
            return;
        hotovo += zapsano;
    }
}

} // namespace vantrel::platforma

int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> argumenty;
    for (int i = 1; i < argc; ++i)
        argumenty.push_back(vantrel::platforma::win32::Uzka(argv[i], wcslen(argv[i])));
    return vantrel::SpustPrikaz(argumenty);
}
