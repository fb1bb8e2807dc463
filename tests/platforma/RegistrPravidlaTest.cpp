// The rules that every settings store keeps, whatever holds the values: the registry itself on
// Windows, a file on POSIX.

#include "ZkusebniRegistr.h"

#include <cctype>
#include <climits>
#include <gtest/gtest.h>

namespace vantrel::test {
namespace {

const std::string Cesta = "HKEY_CURRENT_USER\\Software\\Tarsk\\Vantrel";

// The letters of an ASCII name in the other case.
std::string Jinak(std::string jmeno) {
    for (char& c : jmeno)
        c = static_cast<char>(std::islower(c) ? std::toupper(c) : std::tolower(c));
    return jmeno;
}

TEST(SettingsStore, AMissingKeyOpensOnlyWhenItMayBeMade) {
    TZkusebniRegistr uloziste;
    TRegistr r(uloziste.Umisteni());
    EXPECT_FALSE(r.OpenKey(TRegistr::KlicVantrel, false));
    EXPECT_FALSE(r.HasOpenKey());
    EXPECT_EQ(r.CurrentPath(), "");
    EXPECT_FALSE(r.ValueExists("Jazyk"));
    EXPECT_EQ(ChybaRegistru([&] { r.WriteString("Jazyk", "CZ"); }),
              "Failed to set data for 'Jazyk'");
    EXPECT_FALSE(TRegistr(uloziste.Umisteni()).OpenKey(TRegistr::KlicVantrel, false))
        << "a failed open made the key";

    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    EXPECT_EQ(r.CurrentPath(), Cesta);
    EXPECT_FALSE(r.ValueExists("Jazyk"));
    r.WriteString("Jazyk", "CZ");
    TRegistr dalsi(uloziste.Umisteni());
    EXPECT_TRUE(dalsi.OpenKey(TRegistr::KlicVantrel, false));
    r.CloseKey();
    EXPECT_FALSE(r.HasOpenKey());
    EXPECT_FALSE(r.ValueExists("Jazyk"));
    EXPECT_EQ(ChybaRegistru([&] { r.WriteInteger("Vlevo", 0); }), "Failed to set data for 'Vlevo'");
}

// Each value is read back by a new store with its type, under its name in any case; read as the
// other type it is refused by name, and so is a value that is not there.
TEST(SettingsStore, ValuesReadBackWithTheirTypesFromANewStore) {
    const struct {
        const char* jmeno;
        TTypHodnoty typ;
        std::string text;
        std::int32_t cislo;
    } pripady[] = {
        {"Jazyk", thSz, "CZ", 0},        {"Text", thSz, "Příliš žluťoučký kůň 😀", 0},
        {"Prazdny", thSz, "", 0},        {"Cesta", thExpandSz, "%USERPROFILE%\\vtrl.xml", 0},
        {"Vlevo", thDword, "", -10},     {"Nula", thDword, "", 0},
        {"Min", thDword, "", INT32_MIN}, {"Max", thDword, "", INT32_MAX},
        {"Prepsany", thSz, "10", 0}, // an integer first, then a string
    };
    TZkusebniRegistr uloziste;
    {
        TRegistr zapis(uloziste.Umisteni());
        ASSERT_TRUE(zapis.OpenKey(TRegistr::KlicVantrel, true));
        zapis.WriteInteger("Prepsany", 10);
        for (const auto& p : pripady) {
            if (p.typ == thSz)
                zapis.WriteString(p.jmeno, p.text);
            else if (p.typ == thExpandSz)
                zapis.WriteExpandString(p.jmeno, p.text);
            else
                zapis.WriteInteger(p.jmeno, p.cislo);
        }
    }
    TRegistr r(uloziste.Umisteni());
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, false));
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.jmeno);
        const std::string jinak = Jinak(p.jmeno);
        EXPECT_TRUE(r.ValueExists(jinak));
        EXPECT_EQ(r.GetDataType(jinak), p.typ);
        const std::string typu = "Invalid data type for '" + jinak + "'";
        if (p.typ == thDword) {
            EXPECT_EQ(r.ReadInteger(jinak), p.cislo);
            EXPECT_EQ(ChybaRegistru([&] { r.ReadString(jinak); }), typu);
        } else {
            EXPECT_EQ(r.ReadString(jinak), p.text);
            EXPECT_EQ(ChybaRegistru([&] { r.ReadInteger(jinak); }), typu);
        }
    }
    const std::string chybi = "Failed to get data for 'Chybi'";
    EXPECT_FALSE(r.ValueExists("Chybi"));
    EXPECT_EQ(ChybaRegistru([&] { r.ReadString("Chybi"); }), chybi);
    EXPECT_EQ(ChybaRegistru([&] { r.ReadInteger("Chybi"); }), chybi);
    EXPECT_EQ(ChybaRegistru([&] { r.GetDataType("Chybi"); }), chybi);
}

// A path with a leading backslash starts at the hive, one without at the open key (at the hive
// when none is open); names compare in any case; a key that cannot be opened leaves the open
// one open.
TEST(SettingsStore, KeyPathsAreAbsoluteOrRelativeToTheOpenKey) {
    TZkusebniRegistr uloziste;
    {
        TRegistr zapis(uloziste.Umisteni());
        ASSERT_TRUE(zapis.OpenKey(TRegistr::KlicVantrel, true));
        zapis.WriteString("Jazyk", "EN");
    }
    const struct {
        const char* pred; // opened first; nullptr: none
        const char* klic;
        bool otevren;
        std::string cesta; // then open
        bool vantrel;      // it is Vantrel's key, which holds "Jazyk"
    } pripady[] = {
        {nullptr, "\\Software\\Tarsk", true, "HKEY_CURRENT_USER\\Software\\Tarsk", false},
        {nullptr, "Software\\Tarsk\\Vantrel\\", true, Cesta, true},
        {"\\Software", "Tarsk\\Vantrel", true, Cesta, true},
        {"\\Software\\Tarsk", "\\Software\\Tarsk\\Vantrel", true, Cesta, true},
        {"\\software", "TARSK\\vantrel", true, "HKEY_CURRENT_USER\\software\\TARSK\\vantrel", true},
        {"\\Software\\Tarsk\\Vantrel", "Chybi", false, Cesta, true},
        {"\\Software", "\\Software\\Jiny", false, "HKEY_CURRENT_USER\\Software", false},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.klic);
        TRegistr r(uloziste.Umisteni());
        if (p.pred != nullptr) {
            ASSERT_TRUE(r.OpenKey(p.pred, false));
        }
        EXPECT_EQ(r.OpenKey(p.klic, false), p.otevren);
        EXPECT_EQ(r.CurrentPath(), p.cesta);
        EXPECT_EQ(r.ValueExists("Jazyk"), p.vantrel);
    }
}

} // namespace
} // namespace vantrel::test
