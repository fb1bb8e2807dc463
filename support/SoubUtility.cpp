#include "support/SoubUtility.h"

#include "platforma/FaktaSouboru.h"
#include "platforma/Prostredi.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

constexpr std::int64_t MsZaDen = 86400000;
// 31 Dec 0099 and 1 Jan 10000 as date-time values, just outside the years "yyyy" can show.
constexpr double PredNejmensimDatem = -657435.0;
constexpr double ZaNejvetsimDatem = 2958466.0;
constexpr std::size_t DelkaTypu = 80;
// 30 Dec 1899, day 0 of the date-time values, counted from 1 Jan 1970.
constexpr std::int64_t DenNula = -25569;

// A NUL inside a path would silently cut it short on its way to the system.
bool JeCestaPouzitelna(const std::u16string& cesta) {
    return !cesta.empty() && cesta.find(u'\0') == std::u16string::npos;
}

std::u16string Cislo(std::int64_t cislo, std::size_t cifer = 1) {
    const bool zaporne = cislo < 0;
    std::uint64_t zbytek = zaporne ? 0 - static_cast<std::uint64_t>(cislo) : cislo;
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + zbytek % 10));
        zbytek /= 10;
    } while (zbytek != 0);
    if (text.size() < cifer)
        text.insert(0, cifer - text.size(), u'0');
    return zaporne ? u'-' + text : text;
}

// The proleptic Gregorian calendar with no year 0: 1 BC is year -1, and a leap year.
std::int64_t RokOsy(int rok) {
    return rok < 0 ? std::int64_t{rok} + 1 : rok;
}

bool JePrestupny(std::int64_t rokOsy) {
    return rokOsy % 4 == 0 && (rokOsy % 100 != 0 || rokOsy % 400 == 0);
}

int DnuVMesici(std::int64_t rokOsy, int mesic) {
    static constexpr int Dny[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return mesic == 2 && JePrestupny(rokOsy) ? 29 : Dny[mesic - 1];
}

// Days from 1 Jan 1970 to a date and back (Howard Hinnant's civil calendar algorithms).
std::int64_t DnyOdRoku1970(std::int64_t rok, int mesic, int den) {
    rok -= mesic <= 2;
    const std::int64_t era = (rok >= 0 ? rok : rok - 399) / 400;
    const std::int64_t rokEry = rok - era * 400;
    const std::int64_t denRoku = (153 * (mesic + (mesic > 2 ? -3 : 9)) + 2) / 5 + den - 1;
    const std::int64_t denEry = rokEry * 365 + rokEry / 4 - rokEry / 100 + denRoku;
    return era * 146097 + denEry - 719468;
}

struct TDatum {
    std::int64_t rok;
    int mesic, den;
};

TDatum DatumDne(std::int64_t dny) {
    dny += 719468;
    const std::int64_t era = (dny >= 0 ? dny : dny - 146096) / 146097;
    const std::int64_t denEry = dny - era * 146097;
    const std::int64_t rokEry = (denEry - denEry / 1460 + denEry / 36524 - denEry / 146096) / 365;
    const std::int64_t denRoku = denEry - (365 * rokEry + rokEry / 4 - rokEry / 100);
    const std::int64_t m = (5 * denRoku + 2) / 153;
    const int den = static_cast<int>(denRoku - (153 * m + 2) / 5 + 1);
    const int mesic = static_cast<int>(m < 10 ? m + 3 : m - 9);
    return {rokEry + era * 400 + (mesic <= 2), mesic, den};
}

} // namespace

std::u16string TSouboroveInfo::VerzeSouboru(const std::u16string& cesta, std::uint8_t forma) const {
    platforma::TCislaVerze cisla{};
    if (forma > 3 || !JeCestaPouzitelna(cesta) || !platforma::VerzeSouboru(cesta, cisla))
        return {};
    const std::size_t pocet = forma == 0 ? 4 : forma;
    std::u16string text;
    for (std::size_t i = 0; i < pocet; ++i) {
        if (i > 0)
            text += u'.';
        text += Cislo(cisla[i]);
    }
    return text;
}

double TSouboroveInfo::DatumSouboru(const std::u16string& cesta, std::uint8_t druh) const {
    platforma::TFaktaSouboru fakta;
    if (!JeCestaPouzitelna(cesta) || druh > 2 || !platforma::FaktaSouboru(cesta, fakta) ||
        fakta.slozka)
        return ChybejiciCasovaZnacka;
    const platforma::TCas cas = druh == 0   ? fakta.vytvoreni
                                : druh == 1 ? fakta.zmena
                                            : fakta.pristup;
    platforma::TKalendar k;
    if (!platforma::MistniCas(cas, k) || k.rok < 100 || k.rok > 9999)
        return ChybejiciCasovaZnacka;
    return HodnotaDatumu(k.rok, k.mesic, k.den, k.hodina, k.minuta, k.sekunda, k.milisekunda);
}

std::int64_t TSouboroveInfo::VelikostSouboru(const std::u16string& cesta) const {
    platforma::TFaktaSouboru fakta;
    if (!JeCestaPouzitelna(cesta) || !platforma::FaktaSouboru(cesta, fakta))
        return -1;
    return fakta.velikost;
}

std::u16string TSouboroveInfo::TypSouboru(const std::u16string& cesta) const {
    const std::u16string nezname = u"?";
    if (!JeCestaPouzitelna(cesta))
        return nezname;
    std::u16string nazev = platforma::TypSouboru(cesta);
    if (nazev.size() > DelkaTypu) {
        // Never leave half of a surrogate pair at the end.
        const char16_t posledni = nazev[DelkaTypu - 1];
        const bool pulZnaku = posledni >= 0xD800 && posledni <= 0xDBFF;
        nazev.resize(pulZnaku ? DelkaTypu - 1 : DelkaTypu);
    }
    return nazev.empty() ? nezname : nazev;
}

double HodnotaDatumu(int rok, int mesic, int den, int hodina, int minuta, int sekunda,
                     int milisekunda) {
    if (rok == 0 || mesic < 1 || mesic > 12 || den < 1 || den > DnuVMesici(RokOsy(rok), mesic))
        return ChybejiciCasovaZnacka;
    const std::int64_t dny = DnyOdRoku1970(RokOsy(rok), mesic, den) - DenNula;
    const double zlomek =
        static_cast<double>(((std::int64_t{hodina} * 60 + minuta) * 60 + sekunda) * 1000 +
                            milisekunda) /
        static_cast<double>(MsZaDen);
    return dny >= 0 ? static_cast<double>(dny) + zlomek : static_cast<double>(dny) - zlomek;
}

std::u16string TextCasoveZnacky(double datum) {
    if (!std::isfinite(datum) || datum <= PredNejmensimDatem || datum >= ZaNejvetsimDatem)
        return {};
    const double dny = std::trunc(datum);
    std::int64_t ms = std::llround(std::fabs(datum - dny) * static_cast<double>(MsZaDen));
    ms = std::min(ms, MsZaDen - 1);
    const TDatum d = DatumDne(static_cast<std::int64_t>(dny) + DenNula);
    std::u16string text = Cislo(d.den, 2) + u'.' + Cislo(d.mesic, 2) + u'.' + Cislo(d.rok, 4);
    const std::int64_t sekundy = ms / 1000;
    if (sekundy != 0) {
        const std::u16string o = platforma::OddelovacCasu();
        text += u' ' + Cislo(sekundy / 3600, 2) + o + Cislo(sekundy / 60 % 60, 2) + o +
                Cislo(sekundy % 60, 2);
    }
    return text;
}

// The thousandths are worked out exactly in integers, a tie rounded up: the same digits as the
// nearest thousandth of the size divided in floating point, on every platform and in any locale.
std::u16string TextVelikosti(std::int64_t velikost, bool vZavorkach) {
    std::u16string text;
    if (velikost > 10240) {
        const bool mega = velikost > 1048576;
        const int posun = mega ? 20 : 10;
        const std::int64_t jednotka = std::int64_t{1} << posun;
        const std::int64_t tisiciny =
            (velikost >> posun) * 1000 +
            ((velikost & (jednotka - 1)) * 1000 + jednotka / 2) / jednotka;
        text = Cislo(tisiciny / 1000) + platforma::DesetinnyOddelovac() +
               Cislo(tisiciny % 1000, 3) + (mega ? u" MB" : u" kB");
    } else {
        text = Cislo(velikost) + u" B";
    }
    return vZavorkach ? u'(' + text + u')' : text;
}

} // namespace vantrel
