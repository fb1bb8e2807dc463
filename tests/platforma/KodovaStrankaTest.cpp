#include "platforma/KodovaStranka.h"

#include "platforma/Utf8.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <random>

namespace vantrel {
namespace {

bool IconvZna(const char* codeset) {
    iconv_t cd = iconv_open("UTF-16LE", codeset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(cd);
    return true;
}

std::string NahodneBajty(std::mt19937& nahoda, std::size_t delka) {
    std::string bajty(delka, '\0');
    for (auto& b : bajty)
        b = static_cast<char>(nahoda() & 0xFF);
    return bajty;
}

// Any byte sequence, decoded and encoded again, is the same bytes: joining never corrupts.
TEST(KodovaStranka, EveryByteSequenceSurvives) {
    const char* codesety[] = {"UTF-8",  "ANSI_X3.4-1968", "ISO-8859-1", "ISO-8859-2",
                              "CP1250", "KOI8-R",         "EUC-JP",     "GB18030",
                              "BIG5",   "EUC-KR",         "SHIFT_JIS",  "NO-SUCH-CODESET"};
    for (const char* codeset : codesety) {
        SCOPED_TRACE(codeset);
        // glibc's own converters: every one of them is there.
        ASSERT_TRUE(std::string(codeset) == "NO-SUCH-CODESET" || IconvZna(codeset));
        TKodovaStranka stranka(codeset);
        std::string vsechny;
        for (int b = 0; b < 256; ++b)
            vsechny.push_back(static_cast<char>(b));
        EXPECT_EQ(stranka.Koduj(stranka.Dekoduj(vsechny)), vsechny);
        std::mt19937 nahoda(1234);
        for (int pokus = 0; pokus < 300; ++pokus) {
            const std::string bajty = NahodneBajty(nahoda, nahoda() % 64);
            ASSERT_EQ(stranka.Koduj(stranka.Dekoduj(bajty)), bajty) << "try " << pokus;
        }
    }
}

TEST(KodovaStranka, Utf8DecodesValidTextAndEscapesTheRest) {
    TKodovaStranka utf8("UTF-8");
    EXPECT_TRUE(utf8.JeUtf8());
    EXPECT_TRUE(TKodovaStranka("ANSI_X3.4-1968").JeUtf8());
    EXPECT_EQ(utf8.Dekoduj("P\xC5\x99id\xC3\xA1t"), u"Přidát");
    EXPECT_EQ(utf8.Dekoduj("\xF0\x9F\x98\x80"), u"\U0001F600");
    const struct {
        const char* nazev;
        std::string bajty;
        std::u16string text;
    } neplatne[] = {
        {"a lone continuation byte", "\x80", u"\xDC80"},
        {"an overlong form", "\xC0\xAF", u"\xDCC0\xDCAF"},
        {"an encoded surrogate", "\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
        {"cut short", "a\xE2\x82", u"a\xDCE2\xDC82"},
        {"the byte after a cut sequence decodes",
         "\xE2"
         "A",
         u"\xDCE2"
         u"A"},
    };
    for (const auto& p : neplatne) {
        SCOPED_TRACE(p.nazev);
        EXPECT_EQ(utf8.Dekoduj(p.bajty), p.text);
        EXPECT_EQ(utf8.Koduj(p.text), p.bajty);
    }
    // Surrogates that no byte stands for have no bytes: they become the substitute.
    EXPECT_EQ(utf8.Koduj(u"a\xD800"
                         u"b\xDC00"),
              "a?b?");
}

// File names keep their bytes whatever the locale: UTF-8 where they are UTF-8, escaped where not.
TEST(KodovaStranka, PathsAreTheirBytesInEveryLocale) {
    EXPECT_EQ(KodujUtf8(u"/tmp/žluť.txt"), "/tmp/\xC5\xBElu\xC5\xA5.txt");
    const std::string latin2 = "\xBElu\xBB.txt"; // "žluť.txt" in ISO-8859-2
    EXPECT_EQ(DekodujUtf8(latin2), u"\xDCBE"
                                   u"lu\xDCBB.txt");
    std::string vsechny;
    for (int b = 1; b < 256; ++b)
        vsechny.push_back(static_cast<char>(b));
    EXPECT_EQ(KodujUtf8(DekodujUtf8(vsechny)), vsechny);
}

// A name typed in a locale of another codeset is that codeset's bytes on the disk, and such a
// name reads in that codeset again.
TEST(KodovaStranka, NamesOfALocaleCodesetAreTypedAndRead) {
    TKodovaStranka latin2("ISO-8859-2"), utf8("UTF-8");
    const std::u16string zluty = u"/tmp/v\u00FDstupy/\xDCBE"
                                 u"lu\xDCBB.txt"; // "žluť.txt" in ISO-8859-2 bytes
    const struct {
        const char* popis;
        std::u16string zadana;
        const TKodovaStranka& stranka;
        std::u16string vKodoveStrance;
    } pripady[] = {
        {"the last name re-encoded", u"/tmp/výstupy/žluť.txt", latin2, zluty},
        {"ASCII is the same in both", u"/tmp/výstupy/a.txt", latin2, u""},
        {"a character the codeset lacks", u"/tmp/日.txt", latin2, u""},
        {"a UTF-8 locale", u"/tmp/žluť.txt", utf8, u""},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        EXPECT_EQ(CestaVKodoveStrance(p.zadana, p.stranka), p.vKodoveStrance);
    }
    EXPECT_EQ(CitelnaCesta(zluty, latin2), u"/tmp/výstupy/žluť.txt");
    EXPECT_EQ(CitelnaCesta(zluty, utf8), u"/tmp/výstupy/\uFFFDlu\uFFFD.txt");
}

TEST(KodovaStranka, SingleByteCodesetsMapTheirCharacters) {
    ASSERT_TRUE(IconvZna("CP1250"));
    TKodovaStranka cp1250("CP1250");
    EXPECT_FALSE(cp1250.JeUtf8());
    EXPECT_EQ(cp1250.Dekoduj("P\xF8id\xE1t"), u"Přidát");
    EXPECT_EQ(cp1250.Koduj(u"Přidát"), "P\xF8id\xE1t");
    EXPECT_EQ(cp1250.Koduj(u"日"), "?");
    EXPECT_EQ(cp1250.Dekoduj("\x98"), u"\xDC98"); // undefined in CP1250
}

TEST(KodovaStranka, MultiByteCodesetsMapTheirCharacters) {
    ASSERT_TRUE(IconvZna("EUC-JP"));
    TKodovaStranka eucJp("EUC-JP");
    EXPECT_EQ(eucJp.Dekoduj("a\xC6\xFC"
                            "b"),
              u"a日b");
    EXPECT_EQ(eucJp.Koduj(u"a日b"), "a\xC6\xFC"
                                    "b");
    EXPECT_EQ(eucJp.Dekoduj("\xC6"), u"\xDCC6");
}

} // namespace
} // namespace vantrel
