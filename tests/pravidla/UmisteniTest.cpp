#include "pravidla/Umisteni.h"

#include <gtest/gtest.h>
#include <ostream>

namespace vantrel {

void PrintTo(const TObdelnik& o, std::ostream* os) {
    *os << o.Vlevo << "," << o.Nahore << " " << o.Sirka << "x" << o.Vyska;
}

void PrintTo(const TRozmer& r, std::ostream* os) {
    *os << r.Sirka << "x" << r.Vyska;
}

namespace {

const TRozmer Minimum{640, 480};
const TObdelnik Leva{0, 0, 1280, 1024};
const TObdelnik Prava{1280, 0, 1920, 1080};
constexpr std::int64_t Nejvic = 0x7fffffff;

// A placement that fits is kept as it is; one that does not is brought onto a screen, at a size
// that screen can hold but never below the minimum.
TEST(Umisteni, StoredPlacementsAreBroughtOntoAScreen) {
    const struct {
        const char* popis;
        TObdelnik okno;
        std::vector<TObdelnik> plochy;
        TObdelnik ocekavane;
    } pripady[] = {
        {"fits", {123, 87, 777, 555}, {Leva}, {123, 87, 777, 555}},
        {"partly off the screen stays", {-300, 900, 777, 555}, {Leva}, {-300, 900, 777, 555}},
        {"far left comes back", {-5000, 40, 640, 480}, {Leva}, {0, 40, 640, 480}},
        {"far below right comes back", {9000, 9000, 640, 480}, {Leva}, {640, 544, 640, 480}},
        {"huge shrinks to the screen", {0, 0, Nejvic, Nejvic}, {Leva}, Leva},
        {"huge at a place on the screen comes wholly onto it",
         {300, 200, Nejvic, Nejvic},
         {Leva},
         Leva},
        {"too wide only: the right edge comes back, the top stays",
         {300, 200, 5000, 555},
         {Leva},
         {0, 200, 1280, 555}},
        {"raised to the minimum past the far edge comes back",
         {1000, 900, 100, 100},
         {Leva},
         {640, 544, 640, 480}},
        {"huge and off the screen", {50000, -40000, 20000, 20000}, {Leva}, Leva},
        {"edges near the 32-bit limit",
         {0x7ffffe40, 0x7ffffe40, 640, 480},
         {Leva},
         {640, 544, 640, 480}},
        {"the lowest edges", {-0x7fffffff - 1, -0x7fffffff - 1, Nejvic, Nejvic}, {Leva}, Leva},
        {"edges and sizes at the limit", {Nejvic, Nejvic, Nejvic, Nejvic}, {Leva}, Leva},
        {"negative sizes", {100, 100, -5, -0x7fffffff - 1}, {Leva}, {100, 100, 640, 480}},
        {"on the second screen it may be larger",
         {1400, 10, 1800, 1000},
         {Leva, Prava},
         {1400, 10, 1800, 1000}},
        {"across both it belongs to the one it overlaps most",
         {1000, 10, 2000, 1050},
         {Leva, Prava},
         {1280, 10, 1920, 1050}},
        {"off both comes onto the nearest",
         {5000, 100, 700, 500},
         {Leva, Prava},
         {2500, 100, 700, 500}},
        {"near the limit beyond the right screen comes onto it",
         {0x7ffffe40, 0x7ffffe40, 640, 480},
         {Leva, Prava},
         {2560, 600, 640, 480}},
        {"a screen below the minimum keeps the minimum",
         {0, 0, 900, 700},
         {{0, 0, 600, 400}},
         {0, 0, 640, 480}},
        {"no screens: as stored", {-5000, 0, 20000, 20000}, {}, {-5000, 0, 20000, 20000}},
        {"no screens: the far edges stay within 32 bits",
         {0x7ffffe40, 0x7ffffe40, 640, 480},
         {},
         {Nejvic - 640, Nejvic - 480, 640, 480}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        EXPECT_EQ(UmisteniNaObrazovkach(p.okno, p.plochy, Minimum, Minimum).Okno, p.ocekavane);
    }
}

// The designed minimum grows with the text size as far as the window's screen holds it, and
// never falls below the fixed minimum; a stored size below it grows to it.
TEST(Umisteni, TheDesignedMinimumStaysWithinTheScreen) {
    const struct {
        const char* popis;
        TObdelnik okno;
        TRozmer navrzene;
        std::vector<TObdelnik> plochy;
        TUmisteni ocekavane;
    } pripady[] = {
        {"1.5 times", {10, 20, 640, 480}, {960, 720}, {Leva}, {{10, 20, 960, 720}, {960, 720}}},
        {"larger than the screen",
         {10, 20, 640, 480},
         {1600, 1200},
         {Leva},
         {{0, 0, 1280, 1024}, {1280, 1024}}},
        {"on the larger second screen",
         {1300, 20, 640, 480},
         {1600, 1200},
         {Leva, Prava},
         {{1300, 0, 1600, 1080}, {1600, 1080}}},
        {"a screen below the fixed minimum",
         {0, 0, 640, 480},
         {960, 720},
         {{0, 0, 600, 400}},
         {{0, 0, 640, 480}, {640, 480}}},
        {"no screens", {5, 5, 700, 500}, {960, 720}, {}, {{5, 5, 700, 500}, {960, 720}}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        const TUmisteni u = UmisteniNaObrazovkach(p.okno, p.plochy, Minimum, p.navrzene);
        EXPECT_EQ(u.Okno, p.ocekavane.Okno);
        EXPECT_EQ(u.Minimum, p.ocekavane.Minimum);
    }
}

} // namespace
} // namespace vantrel
