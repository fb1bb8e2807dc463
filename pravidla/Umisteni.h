#pragma once

#include <cstdint>
#include <vector>

namespace vantrel {

// A rectangle in screen pixels. 64 bits hold any stored 32-bit edge and size, and their sums.
struct TObdelnik {
    std::int64_t Vlevo = 0, Nahore = 0, Sirka = 0, Vyska = 0;

    bool operator==(const TObdelnik& jiny) const {
        return Vlevo == jiny.Vlevo && Nahore == jiny.Nahore && Sirka == jiny.Sirka &&
               Vyska == jiny.Vyska;
    }
};

struct TRozmer {
    std::int64_t Sirka = 0, Vyska = 0;

    bool operator==(const TRozmer& jiny) const {
        return Sirka == jiny.Sirka && Vyska == jiny.Vyska;
    }
};

// Where a window is shown, and the least size it may be given there.
struct TUmisteni {
    TObdelnik Okno;
    TRozmer Minimum;
};

// Where a stored window placement is shown, given the screens' available areas. The window
// belongs to the screen it overlaps most, or else to the nearest one. Its least size is
// `navrzeneMinimum` (the designed minimum at the text size in use) as far as that screen holds
// it, never below `minimum`. A size beyond the screen shrinks to it, one below the least size
// grows to it; a window whose size changed so, or that is off every screen (a monitor since
// removed, a bogus value), is brought wholly onto that screen. A window that fits and overlaps
// a screen stays where it is. Without screens the placement stays as stored. Either way every
// edge of the result fits in 32 bits.
TUmisteni UmisteniNaObrazovkach(const TObdelnik& okno, const std::vector<TObdelnik>& plochy,
                                TRozmer minimum, TRozmer navrzeneMinimum);

} // namespace vantrel
