#include "support/Hlaseni.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vantrel;
using namespace vantrel::win32;

namespace {

// A shell that records the boxes it is asked for and answers each with one button.
class TZaznamHlaseni : public THlaseni {
public:
    struct TBox {
        std::u16string text, titulek;
        int priznaky;
    };
    mutable std::vector<TBox> boxy;
    int odpoved = IDNO;

protected:
    int Ukaz(const std::u16string& text, const std::u16string& titulek,
             int priznaky) const override {
        boxy.push_back({text, titulek, priznaky});
        return odpoved;
    }
};

// The numbers a shell is given, which a native box takes as they are (HlaseniTest shows how
// the Qt box draws them).
TEST(Hlaseni, EachKindGivesTheShellItsFlagsAndNothingElse) {
    const struct {
        int druh;
        int priznaky;
        int vysledne; // -1: no box
    } pripady[] = {
        {thChyba, 0, MB_ICONERROR},
        {thChyba, MB_OKCANCEL | MB_DEFBUTTON2, 0x111},
        {thVarovani, 0x34, 0x34},
        {thInformace, MB_ICONERROR, 0x50},
        {thDotaz, 0, MB_YESNO | MB_ICONQUESTION},
        {thDotaz, MB_OKCANCEL, MB_OKCANCEL},
        {thDotaz, MB_DEFBUTTON2, MB_DEFBUTTON2},
        // Bits the shells do not know pass on, for a native box to use.
        {thVarovani, 0x1000, 0x1030},
        // All bits are still flags of a box.
        {thChyba, -1, -1},
        {4, 0, -1},
        {255, MB_YESNO, -1},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(testing::Message() << "kind " << p.druh << " flags " << p.priznaky);
        const auto druh = static_cast<TTypHlaseni>(p.druh);
        const bool box = p.druh <= thDotaz;
        EXPECT_EQ(PriznakyHlaseni(druh, p.priznaky), p.vysledne);
        TZaznamHlaseni hlaseni;
        EXPECT_EQ(hlaseni.Zobraz(druh, u"Řádek\rdalší", u"Titulek", p.priznaky), box ? IDNO : 0);
        ASSERT_EQ(hlaseni.boxy.size(), box ? 1u : 0u);
        if (box) {
            EXPECT_EQ(hlaseni.boxy[0].priznaky, p.vysledne);
            EXPECT_EQ(hlaseni.boxy[0].text, u"Řádek\rdalší");
            EXPECT_EQ(hlaseni.boxy[0].titulek, u"Titulek");
        }
    }
}

} // namespace
