#include "win32/Komponenty.h"

#include <commctrl.h>
#include <vector>

namespace vantrel::okna {

std::u16string TKomponentaOkna::Titulek() const {
    return TextOkna(okno_);
}

void TKomponentaOkna::NastavTitulek(const std::u16string& titulek) {
    NastavTextOkna(okno_, titulek);
}

int TKomponentaSeznamu::PocetSloupcu() const {
    const auto zahlavi = reinterpret_cast<HWND>(SendMessageW(seznam_, LVM_GETHEADER, 0, 0));
    const LRESULT pocet = zahlavi != nullptr ? SendMessageW(zahlavi, HDM_GETITEMCOUNT, 0, 0) : 0;
    return pocet > 0 ? static_cast<int>(pocet) : 0;
}

int TKomponentaSeznamu::ZnackaSloupce(int sloupec) const {
    return sloupec >= 0 && static_cast<std::size_t>(sloupec) < znackySloupcu_.size()
               ? znackySloupcu_[static_cast<std::size_t>(sloupec)]
               : 0;
}

std::u16string TKomponentaSeznamu::Sloupec(int sloupec) const {
    // A caption longer than the buffer would come back cut: the buffer grows until it holds it.
    for (std::size_t delka = 256;; delka *= 4) {
        std::vector<wchar_t> text(delka, L'\0');
        LVCOLUMNW popis{};
        popis.mask = LVCF_TEXT;
        popis.pszText = text.data();
        popis.cchTextMax = static_cast<int>(delka);
        if (!SendMessageW(seznam_, LVM_GETCOLUMNW, static_cast<WPARAM>(sloupec),
                          reinterpret_cast<LPARAM>(&popis)))
            return {};
        const std::u16string vysledek = Text16(popis.pszText);
        if (vysledek.size() + 1 < delka || delka > 1u << 20)
            return vysledek;
    }
}

void TKomponentaSeznamu::NastavSloupec(int sloupec, const std::u16string& titulek) {
    std::wstring text = Siroky(titulek);
    LVCOLUMNW popis{};
    popis.mask = LVCF_TEXT;
    popis.pszText = text.data();
    SendMessageW(seznam_, LVM_SETCOLUMNW, static_cast<WPARAM>(sloupec),
                 reinterpret_cast<LPARAM>(&popis));
}

std::u16string TKomponentaAkce::Jmeno() const {
    const char* jmeno = akce_.popis->jmeno;
    return std::u16string(jmeno, jmeno + std::char_traits<char>::length(jmeno));
}

std::u16string TKomponentaAkce::Titulek() const {
    return akce_.titulek;
}

void TKomponentaAkce::NastavTitulek(const std::u16string& titulek) {
    akce_.titulek = titulek;
}

std::u16string TKomponentaAkce::Hint() const {
    return akce_.hint;
}

void TKomponentaAkce::NastavHint(const std::u16string& hint) {
    akce_.hint = hint;
}

} // namespace vantrel::okna
