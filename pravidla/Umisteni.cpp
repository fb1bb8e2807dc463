#include "pravidla/Umisteni.h"

#include <algorithm>
#include <limits>

namespace vantrel {

namespace {

using Cislo = std::int64_t;
constexpr Cislo Nejmensi32 = std::numeric_limits<std::int32_t>::min();
constexpr Cislo Nejvetsi32 = std::numeric_limits<std::int32_t>::max();

// How far the spans [a, a + da) and [b, b + db) overlap, and how far apart they are.
Cislo Prekryti(Cislo a, Cislo da, Cislo b, Cislo db) {
    return std::max<Cislo>(0, std::min(a + da, b + db) - std::max(a, b));
}

Cislo Mezera(Cislo a, Cislo da, Cislo b, Cislo db) {
    return std::max<Cislo>({0, b - (a + da), a - (b + db)});
}

// The edge that puts the span [a, a + d) inside [od, od + delka) where it can.
Cislo Dovnitr(Cislo a, Cislo d, Cislo od, Cislo delka) {
    return std::clamp(a, od, std::max(od, od + delka - d));
}

// A stored rectangle as Qt and Win32 can hold it: sizes from 0 to the largest 32-bit number,
// the far edges within 32 bits.
TObdelnik V32Bitech(TObdelnik o) {
    o.Sirka = std::clamp<Cislo>(o.Sirka, 0, Nejvetsi32);
    o.Vyska = std::clamp<Cislo>(o.Vyska, 0, Nejvetsi32);
    o.Vlevo = std::clamp(o.Vlevo, Nejmensi32, Nejvetsi32 - o.Sirka);
    o.Nahore = std::clamp(o.Nahore, Nejmensi32, Nejvetsi32 - o.Vyska);
    return o;
}

// The screen the window overlaps most, or the nearest one; false for "nearest".
bool Plocha(const TObdelnik& okno, const std::vector<TObdelnik>& plochy, std::size_t& vybrana) {
    Cislo nejvetsiPrekryti = 0;
    for (std::size_t i = 0; i < plochy.size(); ++i) {
        const TObdelnik& p = plochy[i];
        // Overlaps are at most a screen's size, so their product stays far from overflowing.
        const Cislo prekryti = Prekryti(okno.Vlevo, okno.Sirka, p.Vlevo, p.Sirka) *
                               Prekryti(okno.Nahore, okno.Vyska, p.Nahore, p.Vyska);
        if (prekryti > nejvetsiPrekryti) {
            nejvetsiPrekryti = prekryti;
            vybrana = i;
        }
    }
    if (nejvetsiPrekryti > 0)
        return true;
    // Gaps reach 2^33; their squares are compared as floating point, which cannot overflow.
    double nejmensiVzdalenost = 0;
    for (std::size_t i = 0; i < plochy.size(); ++i) {
        const TObdelnik& p = plochy[i];
        const double dx = double(Mezera(okno.Vlevo, okno.Sirka, p.Vlevo, p.Sirka));
        const double dy = double(Mezera(okno.Nahore, okno.Vyska, p.Nahore, p.Vyska));
        if (i == 0 || dx * dx + dy * dy < nejmensiVzdalenost) {
            nejmensiVzdalenost = dx * dx + dy * dy;
            vybrana = i;
        }
    }
    return false;
}

} // namespace

TUmisteni UmisteniNaObrazovkach(const TObdelnik& okno, const std::vector<TObdelnik>& plochy,
                                TRozmer minimum, TRozmer navrzeneMinimum) {
    if (plochy.empty())
        return {V32Bitech(okno),
                {std::max(minimum.Sirka, navrzeneMinimum.Sirka),
                 std::max(minimum.Vyska, navrzeneMinimum.Vyska)}};
    std::size_t i = 0;
    const bool naPlose = Plocha(okno, plochy, i);
    const TObdelnik& p = plochy[i];
    const TRozmer nejmene{std::max(minimum.Sirka, std::min(navrzeneMinimum.Sirka, p.Sirka)),
                          std::max(minimum.Vyska, std::min(navrzeneMinimum.Vyska, p.Vyska))};
    TObdelnik vysledek = okno;
    vysledek.Sirka = std::max(nejmene.Sirka, std::min(okno.Sirka, p.Sirka));
    vysledek.Vyska = std::max(nejmene.Vyska, std::min(okno.Vyska, p.Vyska));
    // A size changed here leaves the stored position meaningless: a window cut to the screen
    // at its stored place would hang over the screen's far edge.
    if (!naPlose || vysledek.Sirka != okno.Sirka || vysledek.Vyska != okno.Vyska) {
        vysledek.Vlevo = Dovnitr(okno.Vlevo, vysledek.Sirka, p.Vlevo, p.Sirka);
        vysledek.Nahore = Dovnitr(okno.Nahore, vysledek.Vyska, p.Nahore, p.Vyska);
    }
    return {V32Bitech(vysledek), nejmene};
}

} // namespace vantrel
