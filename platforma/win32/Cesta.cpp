#include "platforma/win32/Cesta.h"

namespace vantrel::platforma::win32 {

namespace {

bool ZacinaNa(const std::wstring& text, const wchar_t* zacatek) {
    return text.compare(0, wcslen(zacatek), zacatek) == 0;
}

} // namespace

std::wstring CelaCesta(const std::wstring& cesta) {
    if (cesta.empty() || cesta.find(L'\0') != std::wstring::npos)
        return {};
    std::wstring vysledek(MAX_PATH, L'\0');
    for (;;) {
        const DWORD delka = GetFullPathNameW(cesta.c_str(), static_cast<DWORD>(vysledek.size()),
                                             vysledek.data(), nullptr);
        if (delka == 0)
            return {};
        if (delka < vysledek.size()) {
            vysledek.resize(delka);
            return vysledek;
        }
        vysledek.assign(delka, L'\0'); // delka counts the terminating NUL here
    }
}

std::wstring SystemovaCesta(const TCesta& cesta) {
    const std::wstring siroka = Siroka(cesta);
    if (siroka.find(L'\0') != std::wstring::npos)
        return {};
    if (ZacinaNa(siroka, L"\\\\?\\") || ZacinaNa(siroka, L"\\\\.\\"))
        return siroka;
    const std::wstring cela = CelaCesta(siroka);
    if (cela.size() < MAX_PATH - 1 || ZacinaNa(cela, L"\\\\?\\") || ZacinaNa(cela, L"\\\\.\\"))
        return siroka;
    if (ZacinaNa(cela, L"\\\\"))
        return L"\\\\?\\UNC\\" + cela.substr(2);
    return L"\\\\?\\" + cela;
}

int Porucha(TVolani druh, THandle handle, const TCesta* cesta) {
    const TZasah zasah = detail::Pred(druh, handle, cesta);
    return zasah.porucha == TPorucha::Chyba ? zasah.kod : 0;
}

} // namespace vantrel::platforma::win32
