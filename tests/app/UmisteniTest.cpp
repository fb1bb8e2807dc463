#include "app/Umisteni.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

const QSize Minimum(640, 480);
const QRect Leva(0, 0, 1280, 1024);
const QRect Prava(1280, 0, 1920, 1080);

// A placement that fits is kept as it is; one that does not is brought onto a screen, at a size
// that screen can hold but never below the minimum.
TEST(Umisteni, StoredPlacementsAreBroughtOntoAScreen) {
    const struct {
        const char* popis;
        QRect okno;
        QList<QRect> plochy;
        QRect ocekavane;
    } pripady[] = {
        {"fits", {123, 87, 777, 555}, {Leva}, {123, 87, 777, 555}},
        {"partly off the screen stays", {-300, 900, 777, 555}, {Leva}, {-300, 900, 777, 555}},
        {"far left comes back", {-5000, 40, 640, 480}, {Leva}, {0, 40, 640, 480}},
        {"far below right comes back", {9000, 9000, 640, 480}, {Leva}, {640, 544, 640, 480}},
        {"huge shrinks to the screen", {0, 0, 0x7fffffff, 0x7fffffff}, {Leva}, Leva},
        {"huge and off the screen", {50000, -40000, 20000, 20000}, {Leva}, Leva},
        {"on the second screen it may be larger",
         {1400, 10, 1800, 1000},
         {Leva, Prava},
         {1400, 10, 1800, 1000}},
        {"off both comes onto the nearest",
         {5000, 100, 700, 500},
         {Leva, Prava},
         {2500, 100, 700, 500}},
        {"a screen below the minimum keeps the minimum",
         {0, 0, 900, 700},
         {{0, 0, 600, 400}},
         {0, 0, 640, 480}},
        {"no screens: as stored", {-5000, 0, 20000, 20000}, {}, {-5000, 0, 20000, 20000}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        EXPECT_EQ(UmisteniNaObrazovkach(p.okno, p.plochy, Minimum), p.ocekavane);
    }
}

} // namespace
} // namespace vantrel
