#include "support/SoubUtility.h"

#include "Platforma.h"
#include "platforma/FaktaSouboru.h"
#include "platforma/Prostredi.h"
#include "platforma/Utf8.h"
#include "tests/textfile/Pomocne.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

using namespace vantrel;
using namespace vantrel::test;

namespace {

std::u16string U(const char* utf8) {
    return DekodujUtf8(utf8);
}

std::string Text(const std::u16string& text) {
    return KodujUtf8(text);
}

// The version as the build records it ("3.0.0.1"); the build number may come with a leading zero.
std::vector<std::u16string> OcekavanaVerze() {
    std::vector<std::u16string> cisla;
    std::string verze = VANTREL_VERZE;
    for (std::size_t zacatek = 0; zacatek <= verze.size();) {
        std::size_t tecka = verze.find('.', zacatek);
        if (tecka == std::string::npos)
            tecka = verze.size();
        cisla.push_back(
            U(std::to_string(std::stoul(verze.substr(zacatek, tecka - zacatek))).c_str()));
        zacatek = tecka + 1;
    }
    return cisla;
}

std::u16string Spoj(const std::vector<std::u16string>& cisla, std::size_t pocet) {
    std::u16string text;
    for (std::size_t i = 0; i < pocet; ++i)
        text += (i > 0 ? u"." : u"") + cisla[i];
    return text;
}

class SoubUtility : public ::testing::Test {
protected:
    std::u16string Cesta(const std::string& nazev) const {
        return DekodujUtf8(slozka_.Soubor(nazev));
    }

    std::u16string Zapis(const std::string& nazev, const std::string& obsah) const {
        return DekodujUtf8(slozka_.Zapis(nazev, obsah));
    }

    TDocasnaSlozka slozka_;
    TSouboroveInfo info_;
};

TEST_F(SoubUtility, TheProgramsOwnVersionShowsInEveryForm) {
    const std::vector<std::u16string> cisla = OcekavanaVerze();
    ASSERT_EQ(cisla.size(), 4u);
    for (const std::u16string& cesta : CestyProgramu()) {
        SCOPED_TRACE(Text(cesta));
        EXPECT_EQ(info_.VerzeSouboru(cesta, 0), Spoj(cisla, 4));
        EXPECT_EQ(info_.VerzeSouboru(cesta, 1), Spoj(cisla, 1));
        EXPECT_EQ(info_.VerzeSouboru(cesta, 2), Spoj(cisla, 2));
        EXPECT_EQ(info_.VerzeSouboru(cesta, 3), Spoj(cisla, 3));
        for (int forma : {4, 5, 127, 255}) {
            SCOPED_TRACE(forma);
            EXPECT_EQ(info_.VerzeSouboru(cesta, std::uint8_t(forma)), u"");
        }
    }
}

TEST_F(SoubUtility, OtherFilesHaveNoVersion) {
    std::vector<std::u16string> cesty = {Zapis("text.txt", "ab\n"),
                                         Zapis("prazdny", ""),
                                         DekodujUtf8(slozka_.Cesta()),
                                         Cesta("chybi"),
                                         u"",
                                         platforma::CestaProgramu() + u'\0' + u"x"};
    for (const std::u16string& c : CestyBezVerze(slozka_.Cesta()))
        cesty.push_back(c);
    for (const std::u16string& c : cesty) {
        SCOPED_TRACE(Text(c));
        for (int forma = 0; forma <= 3; ++forma)
            EXPECT_EQ(info_.VerzeSouboru(c, std::uint8_t(forma)), u"");
    }
}

TEST(TextCasoveZnacky, ATimeOfDayOfMidnightShowsTheDateAlone) {
    const TNastaveneKonvence ceske(Ceske);
    const struct {
        double hodnota;
        const char* text;
    } pripady[] = {
        {ChybejiciCasovaZnacka, "01.01.1900 18:00:00"},
        {0.0, "30.12.1899"},
        {1.0, "31.12.1899"},
        {-1.25, "29.12.1899 06:00:00"},
        {HodnotaDatumu(2021, 3, 4, 0, 0, 0, 999), "04.03.2021"},
        {HodnotaDatumu(2021, 3, 4, 0, 0, 1, 0), "04.03.2021 00:00:01"},
        {HodnotaDatumu(2024, 2, 29, 23, 59, 59, 999), "29.02.2024 23:59:59"},
        {HodnotaDatumu(2000, 1, 1, 12, 0, 0), "01.01.2000 12:00:00"},
        {HodnotaDatumu(9999, 12, 31, 23, 59, 59, 999), "31.12.9999 23:59:59"},
        {HodnotaDatumu(100, 1, 1, 7, 8, 9), "01.01.0100 07:08:09"},
        {std::nan(""), ""},
        {std::numeric_limits<double>::infinity(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
        {2958466.0, ""},
        {-657435.0, ""},
        {-657434.999, "01.01.0100 23:58:33"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.text);
        EXPECT_EQ(TextCasoveZnacky(p.hodnota), U(p.text));
    }
}

// The proleptic Gregorian calendar without a year 0; an invalid date is the missing file's.
TEST(HodnotaDatumu, CountsDaysFromTheEndOf1899) {
    const struct {
        int rok, mesic, den, hodina;
        double hodnota;
    } pripady[] = {
        {1899, 12, 30, 0, 0.0},
        {1900, 1, 1, 18, 2.75},
        {1899, 12, 29, 6, -1.25},
        {2000, 2, 29, 0, 36585.0},
        {1, 1, 1, 0, -693593.0},
        {-1, 12, 31, 0, -693594.0},
        {-1, 2, 29, 0, -693900.0},
        {1900, 2, 29, 0, ChybejiciCasovaZnacka},
        {2023, 2, 29, 0, ChybejiciCasovaZnacka},
        {0, 1, 1, 0, ChybejiciCasovaZnacka},
        {2021, 13, 1, 0, ChybejiciCasovaZnacka},
        {2021, 4, 31, 0, ChybejiciCasovaZnacka},
        {2021, 1, 0, 0, ChybejiciCasovaZnacka},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(testing::Message() << p.rok << "-" << p.mesic << "-" << p.den);
        EXPECT_EQ(HodnotaDatumu(p.rok, p.mesic, p.den, p.hodina, 0, 0), p.hodnota);
    }
}

TEST(TextCasoveZnacky, TheTimeTakesTheUsersSeparator) {
    const struct {
        TJazykKonvenci konvence;
        const char* text;
    } pripady[] = {
        {Ceske, "01.01.1900 18:00:00"},
        {Finske, "01.01.1900 18.00.00"},
        {Anglicke, "01.01.1900 18:00:00"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.text);
        const TNastaveneKonvence konvence(p.konvence);
        EXPECT_EQ(TextCasoveZnacky(2.75), U(p.text));
    }
}

// Every case of the platform: the separators it reads, and the texts that show them.
TEST(TextVelikosti, TheTextsFollowTheUsersConventions) {
    for (const TKonvence& k : Konvence()) {
        SCOPED_TRACE(k.popis);
        const TNastaveneKonvence konvence(k);
        EXPECT_EQ(platforma::DesetinnyOddelovac(), k.desetinny);
        EXPECT_EQ(platforma::OddelovacCasu(), k.casu);
        EXPECT_EQ(TextVelikosti(10241), u"10" + k.desetinny + u"001 kB");
        EXPECT_EQ(TextCasoveZnacky(HodnotaDatumu(2021, 3, 4, 5, 6, 7)),
                  u"04.03.2021 05" + k.casu + u"06" + k.casu + u"07");
    }
}

TEST(TextVelikosti, ThresholdsAreStrictAndSizesAre64Bit) {
    const TNastaveneKonvence anglicke(Anglicke);
    const std::int64_t GiB = std::int64_t{1} << 30;
    const struct {
        std::int64_t velikost;
        const char* text;
    } pripady[] = {
        {-1, "-1 B"},
        {0, "0 B"},
        {10240, "10240 B"},
        {10241, "10.001 kB"},
        // A tie at the third decimal goes up.
        {10304, "10.063 kB"},
        {1048576, "1024.000 kB"},
        {1048577, "1.000 MB"},
        {2 * GiB, "2048.000 MB"},
        {3 * GiB, "3072.000 MB"},
        {5 * GiB + 1, "5120.000 MB"},
        {std::numeric_limits<std::int64_t>::max(), "8796093022208.000 MB"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.text);
        EXPECT_EQ(TextVelikosti(p.velikost), U(p.text));
        EXPECT_EQ(TextVelikosti(p.velikost, true), u'(' + U(p.text) + u')');
    }
}

TEST(TextVelikosti, CzechConventionsGiveADecimalCommaAndNoGrouping) {
    const TNastaveneKonvence ceske(Ceske);
    EXPECT_EQ(TextVelikosti(10241), u"10,001 kB");
    EXPECT_EQ(TextVelikosti(3 * (std::int64_t{1} << 30)), u"3072,000 MB");
    EXPECT_EQ(TextVelikosti(1048577, true), u"(1,000 MB)");
    EXPECT_EQ(TextVelikosti(10240, true), u"(10240 B)");
}

TEST_F(SoubUtility, TheSizeIsTheFilesOrMinusOne) {
    const struct {
        const char* nazev;
        std::size_t velikost;
    } pripady[] = {{"nula", 0}, {"prah", 10240}, {"nad", 10241}, {".skryty", 1048577}};
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const std::u16string c = Zapis(p.nazev, std::string(p.velikost, 'x'));
        EXPECT_EQ(info_.VelikostSouboru(c), std::int64_t(p.velikost));
    }
    EXPECT_EQ(info_.VelikostSouboru(Cesta("chybi")), -1);
    EXPECT_EQ(info_.VelikostSouboru(u""), -1);
    EXPECT_EQ(info_.VelikostSouboru(Zapis("a", "xy") + u'\0' + u"x"), -1);
}

TEST_F(SoubUtility, AMissingFileHasTheFixedTimeStamp) {
    const std::u16string c = Zapis("jiny", "");
    const std::u16string cesty[] = {Cesta("chybi"), DekodujUtf8(slozka_.Cesta()), u"", c + u'\0'};
    for (const std::u16string& cesta : cesty) {
        for (int druh = 0; druh <= 2; ++druh) {
            SCOPED_TRACE(testing::Message() << Text(cesta) << " kind " << druh);
            EXPECT_EQ(info_.DatumSouboru(cesta, std::uint8_t(druh)), ChybejiciCasovaZnacka);
        }
    }
    for (int druh : {3, 255})
        EXPECT_EQ(info_.DatumSouboru(c, std::uint8_t(druh)), ChybejiciCasovaZnacka);
    EXPECT_NE(info_.DatumSouboru(c, 1), ChybejiciCasovaZnacka);
}

TEST_F(SoubUtility, TheTypeIsTheDesktopsNameOrAQuestionMark) {
    const std::u16string text = Zapis("text.txt", "a\n");
    const std::u16string typ = info_.TypSouboru(text);
    EXPECT_NE(typ, u"?");
    EXPECT_FALSE(typ.empty());
    EXPECT_LE(typ.size(), 80u);
    EXPECT_NE(info_.TypSouboru(platforma::CestaProgramu()), u"?");

    // The name alone would give a type; a missing file has none.
    EXPECT_EQ(info_.TypSouboru(Cesta("chybi.txt")), u"?");
    EXPECT_EQ(info_.TypSouboru(u""), u"?");
    EXPECT_EQ(info_.TypSouboru(text + u'\0' + u".png"), u"?");
}

} // namespace
