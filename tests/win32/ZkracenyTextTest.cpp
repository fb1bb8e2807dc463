#include "win32/ZkracenyText.h"

#include <gtest/gtest.h>

// The join's report in a status panel too narrow for it.
namespace vantrel::okna {
namespace {

// Every character one pixel wide, so a width is a count of characters.
int Znaky(const std::u16string& text) {
    return static_cast<int>(text.size());
}

TEST(ShortenedReport, ShortensTheNameInItsMiddleAndKeepsTheRestWhole) {
    struct TPripad {
        const char* popis;
        int sirka;
        std::u16string ocekavano;
    };
    // "Spojeno: " (9) + "abcdefghij.txt" (14) + " (5 B)" (6) = 29 characters.
    const TPripad pripady[] = {
        {"room for everything", 29, u"Spojeno: abcdefghij.txt (5 B)"},
        {"one character short", 28, u"Spojeno: abcdef\u2026ij.txt (5 B)"},
        {"room for the ellipsis and one character", 17, u"Spojeno: a\u2026 (5 B)"},
        {"no room for any of the name", 15, u"Spojeno:\u2026 (5 B)"},
        {"room for the size alone", 6, u" (5 B)"},
        {"less than the size", 3, u" (5 B)"},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        EXPECT_EQ(ZkracenyText(u"Spojeno: ", u"abcdefghij.txt", u" (5 B)", p.sirka, Znaky),
                  p.ocekavano);
    }
}

TEST(ShortenedReport, NeverSplitsACharacterOutsideTheBasicPlane) {
    // U+1F600 twice: two pairs of surrogates.
    const std::u16string jmeno = u"\U0001F600\U0001F600x";
    for (int sirka = 0; sirka <= 6; ++sirka) {
        SCOPED_TRACE(sirka);
        const std::u16string text = ZkracenyText(u"", jmeno, u"", sirka, Znaky);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool prvni = text[i] >= 0xD800 && text[i] <= 0xDBFF;
            const bool druha = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
            if (prvni) {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF);
            }
            if (druha) {
                EXPECT_TRUE(i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF);
            }
        }
        EXPECT_LE(Znaky(text), sirka);
    }
}

} // namespace
} // namespace vantrel::okna
