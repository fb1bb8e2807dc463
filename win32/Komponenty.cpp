#include "win32/Komponenty.h"

#include "win32/PohledSeznamu.h"

namespace vantrel::okna {

std::u16string TKomponentaOkna::Titulek() const {
    return TextOkna(okno_);
}

void TKomponentaOkna::NastavTitulek(const std::u16string& titulek) {
    NastavTextOkna(okno_, titulek);
}

int TKomponentaSeznamu::PocetSloupcu() const {
    return okna::PocetSloupcu(seznam_);
}

int TKomponentaSeznamu::ZnackaSloupce(int sloupec) const {
    return sloupec >= 0 && static_cast<std::size_t>(sloupec) < znackySloupcu_.size()
               ? znackySloupcu_[static_cast<std::size_t>(sloupec)]
               : 0;
}

std::u16string TKomponentaSeznamu::Sloupec(int sloupec) const {
    return TextSloupce(seznam_, sloupec);
}

void TKomponentaSeznamu::NastavSloupec(int sloupec, const std::u16string& titulek) {
    NastavTextSloupce(seznam_, sloupec, titulek);
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

void TFormularOkna::NastavTitulek(const std::u16string& titulek) {
    NastavTextOkna(OknoFormulare(), titulek);
}

std::vector<TKomponenta*> TFormularOkna::Komponenty() {
    std::vector<TKomponenta*> komponenty;
    for (const auto& komponenta : komponenty_)
        komponenty.push_back(komponenta.get());
    return komponenty;
}

void TFormularOkna::PridejKomponentu(std::unique_ptr<TKomponenta> komponenta) {
    komponenty_.push_back(std::move(komponenta));
}

} // namespace vantrel::okna
