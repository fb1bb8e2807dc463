#include "platforma/KodovaStranka.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

// The ANSI code pages through the system's own conversions: their characters where they have
// them, and every byte sequence back as the same bytes.
namespace vantrel::test {
namespace {

struct TZnak {
    const char* stranka;
    std::string bajty;
    std::u16string text;
};

const TZnak Znaky[] = {
    {"1250", "\x8A\xE8\xF9", u"Ščů"},
    {"1252", "\x80\xE9\xDF", u"€éß"},
    {"932", "\x82\xA0\x93\xFA\xB1", u"あ日ｱ"},
    {"65001", "\xC5\xA1\xE2\x82\xAC", u"š€"},
    // Bytes that decode to nothing keep their place as U+DC80 + byte.
    {"932", "\x82", u"\xDC82"},
    {"932", "\x82\x20", u"\xDC82 "},
    {"65001", "\xC5\x20\xFF", u"\xDCC5 \xDCFF"},
};

TEST(CodePages, CharactersDecodeAsTheCodePageHasThem) {
    for (const TZnak& z : Znaky) {
        SCOPED_TRACE(z.stranka);
        const TKodovaStranka stranka(z.stranka);
        EXPECT_EQ(stranka.Dekoduj(z.bajty), z.text);
        EXPECT_EQ(stranka.Koduj(z.text), z.bajty);
    }
}

TEST(CodePages, EveryByteSequenceComesBackAsItsBytes) {
    // Every byte alone, then every pair of bytes, in one run.
    std::string bajty;
    for (int b = 0; b < 256; ++b)
        bajty += static_cast<char>(b);
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            bajty += static_cast<char>(a);
            bajty += static_cast<char>(b);
        }
    }
    for (const char* nazev : {"1250", "1252", "932", "65001"}) {
        SCOPED_TRACE(nazev);
        const TKodovaStranka stranka(nazev);
        EXPECT_EQ(stranka.JeUtf8(), std::string(nazev) == "65001");
        EXPECT_TRUE(stranka.Koduj(stranka.Dekoduj(bajty)) == bajty);
        // Shifted by one byte, every lead byte meets every other byte as its second.
        EXPECT_TRUE(stranka.Koduj(stranka.Dekoduj(bajty.substr(1))) == bajty.substr(1));
    }
}

TEST(CodePages, ACharacterTheCodePageLacksBecomesItsSubstitute) {
    struct TPripad {
        const char* stranka;
        std::u16string text;
        std::string bajty;
    };
    const TPripad pripady[] = {
        {"1250", u"aЖb", "a?b"},
        {"1252", u"Ā", "?"},
        {"932", u"x\U0001F600y", "x?y"},
        {"1252", u"\xD800", "?"},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.stranka);
        EXPECT_EQ(TKodovaStranka(p.stranka).Koduj(p.text), p.bajty);
    }
}

TEST(CodePages, NamesOfCodesetsNameTheirCodePages) {
    std::string bajty;
    for (int b = 0; b < 256; ++b)
        bajty += static_cast<char>(b);
    const std::pair<const char*, const char*> dvojice[] = {
        {"CP1250", "1250"},   {"windows-1252", "1252"}, {"ISO-8859-2", "28592"},
        {"Shift_JIS", "932"}, {"UTF-8", "65001"},
    };
    for (const auto& [jmeno, cislo] : dvojice) {
        SCOPED_TRACE(jmeno);
        EXPECT_EQ(TKodovaStranka(jmeno).Dekoduj(bajty), TKodovaStranka(cislo).Dekoduj(bajty));
    }
    EXPECT_EQ(ProcessCodePage().Nazev(), std::to_string(GetACP()));
}

} // namespace
} // namespace vantrel::test
