#include "lang/JazykyXML.h"

#include "lang/VelikostPismen.h"
#include "platforma/Utf8.h"

#include <climits>

namespace vantrel {

namespace {

constexpr char16_t Oddelovac = u'|';

using TDruh = TUzelJazyka::TDruh;

// First child element whose qualified name or local name (the part after a prefix) is `jmeno`.
const TUzelJazyka* Dite(const TUzelJazyka& rodic, const std::u16string& jmeno) {
    if (jmeno.empty())
        return nullptr;
    for (const TUzelJazyka& n : rodic.deti) {
        if (n.druh != TDruh::Prvek)
            continue;
        if (n.jmeno == jmeno)
            return &n;
        const std::size_t dvojtecka = n.jmeno.find(u':');
        if (dvojtecka != std::u16string::npos &&
            std::u16string_view(n.jmeno).substr(dvojtecka + 1) == jmeno)
            return &n;
    }
    return nullptr;
}

// The text of an element: its single child of character data; empty without children.
std::u16string TextPrvku(const TUzelJazyka& prvek) {
    if (prvek.deti.empty())
        return {};
    if (prvek.deti.size() != 1 || prvek.deti.front().druh != TDruh::Text)
        throw EChybaJazyka("Element does not contain a single text node");
    return prvek.deti.front().text;
}

std::u16string TextUzlu(const TUzelJazyka& uzel) {
    return uzel.druh == TDruh::Prvek ? TextPrvku(uzel) : uzel.text;
}

const std::u16string* Atribut(const TUzelJazyka& prvek, std::u16string_view jmeno) {
    for (const auto& [nazev, hodnota] : prvek.atributy) {
        if (nazev == jmeno)
            return &hodnota;
    }
    return nullptr;
}

bool JeMezera(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// A whole number in decimal with an optional sign, spaces around it allowed.
bool CeleCislo(std::u16string_view text, int& cislo) {
    while (!text.empty() && JeMezera(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && JeMezera(text.back()))
        text.remove_suffix(1);
    const bool zaporne = !text.empty() && text.front() == u'-';
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+'))
        text.remove_prefix(1);
    if (text.empty())
        return false;
    long long hodnota = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            return false;
        hodnota = hodnota * 10 + (c - u'0');
        if (hodnota > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (zaporne)
        hodnota = -hodnota;
    if (hodnota > INT_MAX)
        return false;
    cislo = static_cast<int>(hodnota);
    return true;
}

} // namespace

std::u16string KratkyHint(const std::u16string& hint) {
    return hint.substr(0, hint.find(Oddelovac));
}

std::u16string DlouhyHint(const std::u16string& hint) {
    const std::size_t i = hint.find(Oddelovac);
    return i == std::u16string::npos ? hint : hint.substr(i + 1);
}

bool TJazykXML::MaDokument() const {
    return Dokument != nullptr && Dokument->druh == TDruh::Prvek;
}

std::u16string TJazykXML::Preklad(const std::u16string& sekce, const std::u16string& klic,
                                  const std::u16string& vychozi) const {
    if (!MaDokument())
        return vychozi;
    const TUzelJazyka* oddil = Dite(*Dokument, sekce);
    const TUzelJazyka* polozka = oddil ? Dite(*oddil, klic) : nullptr;
    const TUzelJazyka* jazyk = polozka ? Dite(*polozka, KodJazyka) : nullptr;
    if (jazyk == nullptr)
        return vychozi;
    std::u16string text = TextPrvku(*jazyk);
    return text.empty() ? vychozi : text;
}

// Hint rule A: the translated hint becomes the tooltip, or the long hint alone where the
// component shows no tooltips.
void TJazykXML::HintA(const std::u16string& sekce, TKomponenta& k) const {
    const std::u16string hint = k.Hint();
    if (hint.empty())
        return;
    const std::u16string t = Preklad(sekce, k.Jmeno() + u"-H", hint);
    k.NastavHint(k.ZobrazHint() ? t + Oddelovac : Oddelovac + t);
}

// Hint rule L: the translated hint becomes the long hint, under the given key.
void TJazykXML::HintL(const std::u16string& sekce, const std::u16string& klic,
                      TKomponenta& k) const {
    const std::u16string hint = k.Hint();
    if (hint.empty())
        return;
    k.NastavHint(Oddelovac + Preklad(sekce, klic, hint));
}

void TJazykXML::Titulek(const std::u16string& sekce, TKomponenta& k) const {
    k.NastavTitulek(Preklad(sekce, k.Jmeno(), k.Titulek()));
}

void TJazykXML::Polozky(const std::u16string& sekce, TKomponenta& k) const {
    for (int i = 0; i < k.PocetPolozek(); ++i)
        k.NastavPolozku(i, Preklad(sekce, k.Jmeno() + Cislo(i), k.Polozka(i)));
}

std::u16string TJazykXML::Cislo(int i) {
    const std::string text = std::to_string(i);
    return std::u16string(text.begin(), text.end());
}

// Each kind of the component in turn, each starting from what the ones before left.
void TJazykXML::PrelozKomponentu(const std::u16string& s, TKomponenta& k) const {
    const unsigned d = k.Druhy();
    const std::u16string n = k.Jmeno();
    if (d & dkVizualni)
        HintA(s, k);
    if (d & dkTlacitko) {
        Titulek(s, k);
        HintA(s, k);
    }
    if (d & dkPopisek) {
        Titulek(s, k);
        HintA(s, k);
    }
    if (d & dkPolozkaMenu)
        Titulek(s, k);
    if (d & dkAkce) {
        Titulek(s, k);
        const std::u16string t = Preklad(s, n + u"-H", k.Hint());
        k.NastavHint(!t.empty() && t.back() == Oddelovac ? t : k.Titulek() + Oddelovac + t);
    }
    if (d & dkSkupina)
        Titulek(s, k);
    if (d & dkStranka)
        k.NastavTitulekStranky(Preklad(s, n, k.TitulekStranky()));
    if (d & dkSeznam) {
        HintL(s, n, k);
        for (int i = 0; i < k.PocetSloupcu(); ++i) {
            if (k.ZnackaSloupce(i) == ZnackaPreklad)
                k.NastavSloupec(i, Preklad(s, n + Cislo(i), k.Sloupec(i)));
        }
    }
    if (d & dkNastrojoveTlacitko) {
        Titulek(s, k);
        HintA(s, k);
    }
    if (d & dkSkupinaPrepinacu) {
        Titulek(s, k);
        HintA(s, k);
        Polozky(s, k);
    }
    if (d & dkZaskrtavatko)
        Titulek(s, k);
    if (d & dkPanel)
        Titulek(s, k);
    if (d & dkKombo)
        Polozky(s, k);
    if (d & dkEditorHodnot) {
        HintL(s, n + u"-H", k);
        k.NastavTitulekKlicu(Preklad(s, n + u"-K", k.TitulekKlicu()));
        k.NastavTitulekHodnot(Preklad(s, n + u"-V", k.TitulekHodnot()));
        Polozky(s, k);
    }
    if (d & dkPrepinac)
        Titulek(s, k);
    if (d & dkZaskrtavaciSeznam) {
        HintA(s, k);
        Polozky(s, k);
    }
    if (d & dkTlacitkoSObrazkem) {
        Titulek(s, k);
        HintA(s, k);
    }
}

void TJazykXML::PrelozFormular(TFormular& okno) const {
    if (!MaDokument())
        return;
    const std::u16string sekce = okno.Jmeno();
    if (okno.Znacka() == ZnackaPreklad)
        okno.NastavTitulek(Preklad(sekce, sekce, okno.Titulek()));
    for (TKomponenta* k : okno.Komponenty()) {
        if (k->Znacka() == ZnackaPreklad)
            PrelozKomponentu(sekce, *k);
    }
}

void TJazykXML::NactiJazyky(TSeznamJazyku& seznam) const {
    seznam.Vymaz();
    if (!MaDokument())
        return;
    const TUzelJazyka* jazyky = Dite(*Dokument, u"JAZYKY");
    if (jazyky == nullptr)
        return;

    std::vector<const std::u16string*> kody;
    for (const TUzelJazyka& popis : jazyky->deti) {
        if (popis.druh != TDruh::Prvek)
            continue;
        const std::string kod = KodujUtf8(popis.jmeno);
        if (popis.deti.size() < 3)
            throw EChybaJazyka("Language '" + kod + "' has fewer than three child nodes");
        TPopisJazyka jazyk{popis.jmeno, TextUzlu(popis.deti[0]), TextUzlu(popis.deti[1]),
                           TextUzlu(popis.deti[2])};
        const std::u16string* index = Atribut(popis, u"index");
        if (index == nullptr)
            throw EChybaJazyka("Language '" + kod + "' has no attribute 'index'");
        if (!CeleCislo(*index, jazyk.indexVlajky))
            throw EChybaJazyka("'" + KodujUtf8(*index) +
                               "' is not a valid integer value (attribute 'index' of language '" +
                               kod + "')");
        seznam.Pridej(jazyk);
        kody.push_back(&popis.jmeno);
    }

    for (std::size_t i = 0; i < kody.size(); ++i) {
        if (StejneAzNaVelikost(*kody[i], KodJazyka)) {
            seznam.Vyber(static_cast<int>(i));
            break;
        }
    }
}

} // namespace vantrel
