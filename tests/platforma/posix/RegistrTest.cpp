#include "platforma/Registr.h"

#include "../../BezObchazeniPrav.h"
#include "../ZkusebniRegistr.h"
#include "platforma/Utf8.h"
#include "platforma/posix/SouborRegistru.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using vantrel::TRegistr;
using vantrel::test::ChybaRegistru;

namespace {

const std::string kKlic = "[HKEY_CURRENT_USER\\Software\\Tarsk\\Vantrel]";

std::string Precti(const std::string& cesta) {
    std::ifstream f(cesta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Uloz(const std::string& cesta, const std::string& obsah) {
    std::ofstream f(cesta, std::ios::binary | std::ios::trunc);
    f << obsah;
}

std::vector<std::string> Soubory(const std::string& slozka) {
    std::vector<std::string> jmena;
    if (DIR* d = ::opendir(slozka.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                jmena.push_back(e->d_name);
        ::closedir(d);
    }
    return jmena;
}

class RegistrTest : public ::testing::Test {
protected:
    void SetUp() override {
        char vzor[] = "/tmp/vantrel-registr-XXXXXX";
        ASSERT_NE(::mkdtemp(vzor), nullptr);
        slozka_ = vzor;
        cesta_ = slozka_ + "/Tarsk/Vantrel.reg";
    }
    void TearDown() override {
        ::chmod(slozka_.c_str(), 0700);
        const std::string prikaz = "rm -rf '" + slozka_ + "'";
        EXPECT_EQ(std::system(prikaz.c_str()), 0);
    }
    void UlozSoubor(const std::string& obsah) {
        ::mkdir((slozka_ + "/Tarsk").c_str(), 0700);
        Uloz(cesta_, obsah);
    }

    std::string slozka_;
    std::string cesta_;
};

// --- round trips --------------------------------------------------------------------------------

enum class Druh { Text, Rozsireny, Cislo };

struct TPripad {
    const char* popis;
    std::string jmeno;
    Druh druh;
    std::string text;
    std::int32_t cislo;
    std::string radek; // how the value stands in the file
};

TEST_F(RegistrTest, ValuesComeBackThroughTheFileUnchanged) {
    const std::vector<TPripad> pripady = {
        {"plain string", "Jazyk", Druh::Text, "CZ", 0, "\"Jazyk\"=\"CZ\""},
        {"quotes and backslashes", "Cesta", Druh::Text, "C:\\Dir \"x\"\\", 0,
         "\"Cesta\"=\"C:\\\\Dir \\\"x\\\"\\\\\""},
        {"diacritics", "Text", Druh::Text, "Příliš žluťoučký kůň", 0,
         "\"Text\"=\"Příliš žluťoučký kůň\""},
        {"empty string", "Prazdny", Druh::Text, "", 0, "\"Prazdny\"=\"\""},
        {"line break goes hex", "Radky", Druh::Text, "a\nb", 0,
         "\"Radky\"=hex(1):61,00,0a,00,62,00,00,00"},
        {"name with quote", "Na\"zev\\", Druh::Text, "x", 0, "\"Na\\\"zev\\\\\"=\"x\""},
        {"default value", "", Druh::Text, "vychozi", 0, "@=\"vychozi\""},
        {"expandable string", "Rozsireny", Druh::Rozsireny, "AB", 0,
         "\"Rozsireny\"=hex(2):41,00,42,00,00,00"},
        {"expandable outside the BMP", "Znak", Druh::Rozsireny, "\xF0\x9F\x98\x80", 0,
         "\"Znak\"=hex(2):3d,d8,00,de,00,00"},
        {"negative dword", "Vlevo", Druh::Cislo, "", -10, "\"Vlevo\"=dword:fffffff6"},
        {"zero", "Nahore", Druh::Cislo, "", 0, "\"Nahore\"=dword:00000000"},
        {"minimum", "Min", Druh::Cislo, "", INT32_MIN, "\"Min\"=dword:80000000"},
        {"maximum", "Max", Druh::Cislo, "", INT32_MAX, "\"Max\"=dword:7fffffff"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        TRegistr zapis(cesta_);
        ASSERT_TRUE(zapis.OpenKey(TRegistr::KlicVantrel, true));
        switch (p.druh) {
        case Druh::Text:
            zapis.WriteString(p.jmeno, p.text);
            break;
        case Druh::Rozsireny:
            zapis.WriteExpandString(p.jmeno, p.text);
            break;
        case Druh::Cislo:
            zapis.WriteInteger(p.jmeno, p.cislo);
            break;
        }
        EXPECT_NE(Precti(cesta_).find("\n" + p.radek + "\n"), std::string::npos) << Precti(cesta_);

        TRegistr cteni(cesta_);
        ASSERT_TRUE(cteni.OpenKey(TRegistr::KlicVantrel, false));
        ASSERT_TRUE(cteni.ValueExists(p.jmeno));
        if (p.druh == Druh::Cislo)
            EXPECT_EQ(cteni.ReadInteger(p.jmeno), p.cislo);
        else
            EXPECT_EQ(cteni.ReadString(p.jmeno), p.text);
    }
    EXPECT_EQ(Precti(cesta_).rfind("Windows Registry Editor Version 5.00\n\n" + kKlic + "\n", 0),
              0u);
}

TEST_F(RegistrTest, ALongValueIsWrappedAndReadBack) {
    const std::string dlouhy(200, 'x');
    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    r.WriteExpandString("Dlouhy", dlouhy);
    const std::string obsah = Precti(cesta_);
    EXPECT_NE(obsah.find(",\\\n  78,00"), std::string::npos);
    std::istringstream radky(obsah);
    for (std::string radek; std::getline(radky, radek);)
        EXPECT_LE(radek.size(), 80u) << radek;
    TRegistr cteni(cesta_);
    ASSERT_TRUE(cteni.OpenKey(TRegistr::KlicVantrel, false));
    EXPECT_EQ(cteni.ReadString("Dlouhy"), dlouhy);
}

// --- reading files written by hand or by other tools --------------------------------------------

TEST_F(RegistrTest, ReadsEveryFormOfTheFile) {
    const std::string telo = kKlic + "\n\"Jazyk\"=\"EN\"\n\"Vlevo\"=dword:FFFFFFFE\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : "Windows Registry Editor Version 5.00\r\n\r\n" + kKlic +
                      "\r\n\"Jazyk\"=\"EN\"\r\n\"Vlevo\"=dword:fffffffe\r\n") {
        utf16 += c;
        utf16 += '\0';
    }
    const struct {
        const char* popis;
        std::string obsah;
    } pripady[] = {
        {"LF", "Windows Registry Editor Version 5.00\n\n" + telo},
        {"CRLF", "Windows Registry Editor Version 5.00\r\n\r\n" + kKlic +
                     "\r\n\"Jazyk\"=\"EN\"\r\n\"Vlevo\"=dword:fffffffe\r\n"},
        {"UTF-8 BOM", "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n" + telo},
        {"UTF-16LE BOM", utf16},
        {"lower-case key, comments, no final newline",
         "Windows Registry Editor Version 5.00\n; poznamka\n[hkey_current_user\\software\\"
         "tarsk\\vantrel]\n\"jazyk\"=\"EN\"\n\"Vlevo\"=dword:fffffffe"},
        {"string as hex(1) over two lines, short dword",
         "Windows Registry Editor Version 5.00\n\n" + kKlic +
             "\n\"Jazyk\"=hex(1):45,00,\\\n  4e,00,00,00\n\"Vlevo\" = dword:fffffffe\n"},
        {"later duplicate wins", "Windows Registry Editor Version 5.00\n\n" + kKlic +
                                     "\n\"Jazyk\"=\"CZ\"\n\n" + kKlic +
                                     "\n\"Jazyk\"=\"EN\"\n\"Vlevo\"=dword:fffffffe\n"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        UlozSoubor(p.obsah);
        TRegistr r(cesta_);
        ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, false));
        EXPECT_EQ(r.ReadString("Jazyk"), "EN");
        EXPECT_EQ(r.ReadInteger("Vlevo"), -2);
        EXPECT_FALSE(r.ValueExists("Nahore"));
    }
}

// Types that the store never writes, as another tool may leave them.
TEST_F(RegistrTest, AValueOfAnotherTypeReportsATypeError) {
    UlozSoubor("Windows Registry Editor Version 5.00\n\n" + kKlic +
               "\n\"Binarni\"=hex:01,02\n"
               "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n\"Kratky\"=hex(4):01,02\n");
    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, false));
    const struct {
        const char* popis;
        std::function<void()> cteni;
        std::string chyba;
    } pripady[] = {
        {"binary read as string", [&] { r.ReadString("Binarni"); },
         "Invalid data type for 'Binarni'"},
        {"qword read as integer", [&] { r.ReadInteger("Qword"); }, "Invalid data type for 'Qword'"},
        {"dword of two bytes", [&] { r.ReadInteger("Kratky"); }, "Failed to get data for 'Kratky'"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        EXPECT_EQ(ChybaRegistru(p.cteni), p.chyba);
    }
}

// --- opening keys -------------------------------------------------------------------------------

// A key is there when its section or a section below it is.
TEST_F(RegistrTest, OpeningWithoutCreatingFindsOnlyWhatExists) {
    UlozSoubor("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Jiny]\n"
               "\"Jazyk\"=\"EN\"\n");
    TRegistr r(cesta_);
    EXPECT_FALSE(r.OpenKey(TRegistr::KlicVantrel, false)) << "other key only";
    EXPECT_FALSE(r.HasOpenKey());
    EXPECT_TRUE(r.OpenKey("\\Software", false));
    EXPECT_TRUE(r.OpenKey("\\Software\\Jiny", false));
    EXPECT_EQ(r.ReadString("Jazyk"), "EN");
}

TEST_F(RegistrTest, CreatingAKeyWritesItWithTheFirstValue) {
    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    EXPECT_FALSE(r.ValueExists("Jazyk"));
    EXPECT_TRUE(Soubory(slozka_).empty()) << "opening alone writes nothing";
    r.WriteString("Jazyk", "CZ");
    EXPECT_TRUE(r.ValueExists("Jazyk")) << "the open key sees its own writes";
    EXPECT_EQ(r.ReadString("Jazyk"), "CZ");
}

TEST_F(RegistrTest, ReadingOpensNothingForWriting) {
    UlozSoubor("Windows Registry Editor Version 5.00\n\n" + kKlic + "\n\"Jazyk\"=\"EN\"\n");
    ::chmod(cesta_.c_str(), 0400);
    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    EXPECT_EQ(r.ReadString("Jazyk"), "EN");
    EXPECT_EQ(Soubory(slozka_ + "/Tarsk"), std::vector<std::string>{"Vantrel.reg"})
        << "no lock or temporary file for reading";
}

// --- writes keep everything else ----------------------------------------------------------------

// Whatever the file's encoding, it stays so: the lines the store does not change keep their bytes.
TEST_F(RegistrTest, AWriteKeepsOtherKeysAndValues) {
    const std::string cizi = "[HKEY_CURRENT_USER\\Software\\Jiny\\Program]\r\n"
                             "\"Cokoli\"=nejaky nesmysl, ktery cist neumime\r\n"
                             "\"Data\"=hex:00,01,\\\r\n  02\r\n\r\n";
    const std::string puvodni =
        "Windows Registry Editor Version 5.00\r\n\r\n" + cizi + kKlic +
        "\r\n; ruční poznámka\r\n\"Jazyk\"=\"CZ\"\r\n"
        "\"Qword\"=hex(b):01,00,00,00,\\\r\n  00,00,00,00\r\n\"Vlevo\"=dword:00000001\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Tarsk\\Vantrel]\r\n\"Jazyk\"=\"DE\"\r\n";
    const std::string ocekavany =
        "Windows Registry Editor Version 5.00\r\n\r\n" + cizi + kKlic +
        "\r\n; ruční poznámka\r\n\"Jazyk\"=\"EN\"\r\n"
        "\"Qword\"=hex(b):01,00,00,00,\\\r\n  00,00,00,00\r\n\"Vlevo\"=dword:ffffffff\r\n"
        "\"Sirka\"=dword:00000320\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Tarsk\\Vantrel]\r\n\"Jazyk\"=\"DE\"\r\n";
    const struct {
        const char* popis;
        std::function<std::string(const std::string&)> zakoduj;
    } kodovani[] = {
        {"UTF-8", [](const std::string& t) { return t; }},
        {"UTF-8 with BOM", [](const std::string& t) { return "\xEF\xBB\xBF" + t; }},
        {"UTF-16LE with BOM",
         [](const std::string& t) {
             std::u16string u;
             vantrel::Utf8NaUtf16(t, u);
             std::string b = "\xFF\xFE";
             for (char16_t c : u) {
                 b += static_cast<char>(c & 0xFF);
                 b += static_cast<char>(c >> 8);
             }
             return b;
         }},
    };
    for (const auto& k : kodovani) {
        SCOPED_TRACE(k.popis);
        UlozSoubor(k.zakoduj(puvodni));
        TRegistr r(cesta_);
        ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
        r.WriteString("Jazyk", "EN");
        r.WriteInteger("Vlevo", -1);
        r.WriteInteger("Sirka", 800);
        EXPECT_EQ(Precti(cesta_), k.zakoduj(ocekavany));
        EXPECT_EQ(r.GetDataType("Qword"), static_cast<vantrel::TTypHodnoty>(0xb));
    }
}

TEST_F(RegistrTest, ANewKeyIsAppendedAtTheEnd) {
    const std::string puvodni = "Windows Registry Editor Version 5.00\n\n"
                                "[HKEY_CURRENT_USER\\Software\\Jiny]\n\"A\"=\"B\"";
    UlozSoubor(puvodni);
    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    r.WriteString("Jazyk", "SK");
    EXPECT_EQ(Precti(cesta_), puvodni + "\n\n" + kKlic + "\n\"Jazyk\"=\"SK\"\n\n");
}

TEST_F(RegistrTest, AFailedWriteStopsOnlyThatValue) {
    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    r.WriteString("Jazyk", "CZ");
    const std::string pred = Precti(cesta_);
    EXPECT_EQ(ChybaRegistru([&] { r.WriteString("Spatny", "\xFF\xFE"); }),
              "Failed to set data for 'Spatny'");
    EXPECT_EQ(ChybaRegistru([&] { r.WriteInteger("Radek\nnavic", 1); }),
              "Failed to set data for 'Radek\nnavic'");
    EXPECT_EQ(ChybaRegistru(
                  [&] { r.WriteString("Velky", std::string(vantrel::MaxVelikostRegistru, 'x')); }),
              "Failed to set data for 'Velky': " + cesta_ +
                  " would grow larger than 1048576 bytes");
    EXPECT_EQ(Precti(cesta_), pred);
    EXPECT_EQ(r.ReadString("Jazyk"), "CZ");
}

// --- files that cannot be used ------------------------------------------------------------------

// The read's report says where the file went; it is kept byte for byte under a new name each time.
TEST_F(RegistrTest, ACorruptFileIsReportedAndKeptAside) {
    const std::string spatny = " is not in the registry export format";
    const struct {
        std::string obsah;
        std::string duvod;
    } pripady[] = {
        {"nesmysl\n", spatny},
        {"Windows Registry Editor Version 5.00\n\n" + kKlic + "\n\"Jazyk\"=\"neuzavreny\n", spatny},
        {"Windows Registry Editor Version 5.00\n\n" + kKlic + "\n\"Vlevo\"=dword:123456789\n",
         spatny},
        {"Windows Registry Editor Version 5.00\n\n" + kKlic + "\n\"Data\"=hex:01,zz\n", spatny},
        {"Windows Registry Editor Version 5.00\n\n" + kKlic + "\n\"Data\"=hex:01,\\\n", spatny},
        {"Windows Registry Editor Version 5.00\n\"Bez\"=\"sekce\"\n", spatny},
        {"Windows Registry Editor Version 5.00\n\n" + kKlic + "\n\"Jazyk\"=\"\xC3\x28\"\n", spatny},
        {"", spatny},
        {"Windows Registry Editor Version 5.00\n\n; " +
             std::string(vantrel::MaxVelikostRegistru, 'x') + "\n" + kKlic + "\n\"Jazyk\"=\"CZ\"\n",
         " is larger than 1048576 bytes"},
    };
    std::set<std::string> odlozene;
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.obsah.substr(0, 80));
        UlozSoubor(p.obsah);
        TRegistr r(cesta_);
        ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, false)) << "opens, to report on reading";
        ASSERT_EQ(r.OdlozeneSoubory().size(), 1u);
        const std::string kam = r.OdlozeneSoubory()[0];
        const std::string zprava = cesta_ + p.duvod + "; it was kept as " + kam;
        EXPECT_EQ(ChybaRegistru([&] { r.ValueExists("Jazyk"); }),
                  "Failed to get data for 'Jazyk': " + zprava);
        EXPECT_EQ(ChybaRegistru([&] { r.ReadInteger("Vlevo"); }),
                  "Failed to get data for 'Vlevo': " + zprava);
        EXPECT_EQ(kam.rfind(cesta_ + ".corrupt-", 0), 0u) << kam;
        EXPECT_TRUE(odlozene.insert(kam).second) << "a new name each time: " << kam;
        EXPECT_EQ(Precti(kam), p.obsah) << "kept byte for byte";
        EXPECT_FALSE(::access(cesta_.c_str(), F_OK) == 0);

        ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
        r.WriteString("Jazyk", "EN");
        EXPECT_NE(Precti(cesta_).find(kam.substr(kam.rfind('/') + 1)), std::string::npos)
            << "the fresh file says where the old one went";

        // Spoilt while the program runs: the next write keeps it aside the same way.
        TRegistr zapis(cesta_);
        ASSERT_TRUE(zapis.OpenKey(TRegistr::KlicVantrel, true));
        UlozSoubor(p.obsah);
        zapis.WriteString("Jazyk", "EN");
        ASSERT_EQ(zapis.OdlozeneSoubory().size(), 1u);
        const std::string kam2 = zapis.OdlozeneSoubory()[0];
        EXPECT_TRUE(odlozene.insert(kam2).second) << kam2;
        EXPECT_EQ(Precti(kam2), p.obsah);
        EXPECT_NE(Precti(cesta_).find(kam2.substr(kam2.rfind('/') + 1)), std::string::npos);

        TRegistr cteni(cesta_);
        ASSERT_TRUE(cteni.OpenKey(TRegistr::KlicVantrel, false));
        EXPECT_EQ(cteni.ReadString("Jazyk"), "EN");
    }
}

// Anything but a regular file is refused at once: a FIFO is never waited on, nothing replaced.
TEST_F(RegistrTest, AnythingButARegularFileIsNeverReplaced) {
    const struct {
        const char* popis;
        std::function<void(const std::string&)> vytvor;
    } pripady[] = {
        {"folder", [](const std::string& c) { ASSERT_EQ(::mkdir(c.c_str(), 0700), 0); }},
        {"FIFO", [](const std::string& c) { ASSERT_EQ(::mkfifo(c.c_str(), 0600), 0); }},
        {"link to a FIFO",
         [](const std::string& c) {
             ASSERT_EQ(::mkfifo((c + "-fifo").c_str(), 0600), 0);
             ASSERT_EQ(::symlink((c + "-fifo").c_str(), c.c_str()), 0);
         }},
        {"link to a device",
         [](const std::string& c) { ASSERT_EQ(::symlink("/dev/null", c.c_str()), 0); }},
    };
    ::mkdir((slozka_ + "/Tarsk").c_str(), 0700);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        ::unlink((cesta_ + "-fifo").c_str());
        ::unlink(cesta_.c_str());
        ::rmdir(cesta_.c_str());
        p.vytvor(cesta_);
        struct stat pred;
        ASSERT_EQ(::lstat(cesta_.c_str(), &pred), 0);
        ::alarm(60); // a blocking open fails the test instead of stalling the run
        TRegistr r(cesta_);
        ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, false));
        EXPECT_EQ(ChybaRegistru([&] { r.ReadString("Jazyk"); }),
                  "Failed to get data for 'Jazyk': " + cesta_ + " is not a regular file");
        ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
        EXPECT_EQ(ChybaRegistru([&] { r.WriteString("Jazyk", "CZ"); }),
                  "Failed to set data for 'Jazyk': " + cesta_ + " is not a regular file");
        ::alarm(0);
        struct stat po;
        ASSERT_EQ(::lstat(cesta_.c_str(), &po), 0);
        EXPECT_EQ(po.st_mode, pred.st_mode);
        EXPECT_EQ(po.st_ino, pred.st_ino);
        EXPECT_TRUE(r.OdlozeneSoubory().empty());
    }
}

TEST_F(RegistrTest, AWriteWhereNoFolderCanBeMadeFailsWithTheReason) {
    // The parent of the store is a plain file: no user, root included, can create the folder.
    Uloz(slozka_ + "/soubor", "x");
    TRegistr r(slozka_ + "/soubor/Tarsk/Vantrel.reg");
    EXPECT_FALSE(r.OpenKey(TRegistr::KlicVantrel, false));
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    const std::string duvod =
        ": the folder " + slozka_ + "/soubor/Tarsk could not be made: not a directory";
    EXPECT_EQ(ChybaRegistru([&] { r.WriteString("Jazyk", "CZ"); }),
              "Failed to set data for 'Jazyk'" + duvod);
    EXPECT_EQ(ChybaRegistru([&] { r.WriteInteger("Vlevo", 0); }),
              "Failed to set data for 'Vlevo'" + duvod);
}

TEST_F(RegistrTest, AWriteToAReadOnlyFolderFailsWithTheReason) {
    UlozSoubor("Windows Registry Editor Version 5.00\n\n" + kKlic + "\n\"Jazyk\"=\"CZ\"\n");
    ASSERT_EQ(::chmod((slozka_ + "/Tarsk").c_str(), 0500), 0);
    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    EXPECT_EQ(r.ReadString("Jazyk"), "CZ");
    {
        vantrel::test::TBezObchazeniPrav bezPrav;
        EXPECT_EQ(ChybaRegistru([&] { r.WriteString("Jazyk", "EN"); }),
                  "Failed to set data for 'Jazyk': " + cesta_ +
                      " could not be written: permission denied");
    }
    ::chmod((slozka_ + "/Tarsk").c_str(), 0700);
    EXPECT_EQ(r.ReadString("Jazyk"), "CZ");
}

// --- two processes ------------------------------------------------------------------------------

TEST_F(RegistrTest, TwoProcessesWriteAtOnce) {
    const int kPocet = 200;
    std::vector<pid_t> deti;
    for (int proces = 0; proces < 2; ++proces) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                TRegistr r(cesta_);
                if (!r.OpenKey(TRegistr::KlicVantrel, true))
                    ::_exit(2);
                const std::string vlastni = proces == 0 ? "Vlevo" : "Nahore";
                for (int i = 0; i < kPocet; ++i) {
                    r.WriteInteger(vlastni, i);
                    r.WriteString("Jazyk", "P" + std::to_string(proces) + "-" + std::to_string(i));
                }
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        deti.push_back(pid);
    }

    // Meanwhile every read must see a whole file.
    int cteni = 0;
    std::vector<int> stavy(deti.size(), -1);
    for (bool bezi = true; bezi;) {
        bezi = false;
        for (std::size_t i = 0; i < deti.size(); ++i)
            if (stavy[i] == -1 && ::waitpid(deti[i], &stavy[i], WNOHANG) == 0) {
                stavy[i] = -1;
                bezi = true;
            }
        TRegistr r(cesta_);
        if (r.OpenKey(TRegistr::KlicVantrel, false)) {
            EXPECT_EQ(ChybaRegistru([&] { r.ValueExists("Jazyk"); }), "") << Precti(cesta_);
            ++cteni;
        }
    }
    for (int stav : stavy)
        EXPECT_TRUE(WIFEXITED(stav) && WEXITSTATUS(stav) == 0) << "child status " << stav;

    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, false));
    EXPECT_EQ(r.ReadInteger("Vlevo"), kPocet - 1);
    EXPECT_EQ(r.ReadInteger("Nahore"), kPocet - 1);
    const std::string jazyk = r.ReadString("Jazyk");
    EXPECT_TRUE(jazyk == "P0-" + std::to_string(kPocet - 1) ||
                jazyk == "P1-" + std::to_string(kPocet - 1))
        << jazyk;
    // Each value once, in whichever order the writers first added them, nothing torn.
    const std::string zacatek = "Windows Registry Editor Version 5.00\n\n" + kKlic + "\n";
    const std::string obsah = Precti(cesta_);
    ASSERT_EQ(obsah.rfind(zacatek, 0), 0u) << obsah;
    std::multiset<std::string> radky;
    std::istringstream zbytek(obsah.substr(zacatek.size()));
    for (std::string radek; std::getline(zbytek, radek);)
        radky.insert(radek);
    EXPECT_EQ(radky, (std::multiset<std::string>{"", "\"Vlevo\"=dword:000000c7",
                                                 "\"Nahore\"=dword:000000c7",
                                                 "\"Jazyk\"=\"" + jazyk + "\""}))
        << obsah;
    for (const auto& jmeno : Soubory(slozka_ + "/Tarsk"))
        EXPECT_EQ(jmeno, "Vantrel.reg") << "left behind";
    EXPECT_GT(cteni, 0);
}

// --- location -----------------------------------------------------------------------------------

TEST(RegistrUmisteni, TheDefaultPathFollowsTheEnvironment) {
    const char* puvodniXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string zalohaXdg = puvodniXdg ? puvodniXdg : "";
    const char* puvodniHome = std::getenv("HOME");
    const std::string zalohaHome = puvodniHome ? puvodniHome : "";
    const struct {
        const char* xdg; // nullptr: unset
        const char* ocekavana;
    } pripady[] = {
        {"/jinde/konfig", "/jinde/konfig/Tarsk/Vantrel.reg"},
        {"relativni/konfig", "/domov/uzivatel/.config/Tarsk/Vantrel.reg"},
        {"", "/domov/uzivatel/.config/Tarsk/Vantrel.reg"},
        {nullptr, "/domov/uzivatel/.config/Tarsk/Vantrel.reg"},
    };
    ::setenv("HOME", "/domov/uzivatel", 1);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.xdg ? p.xdg : "(unset)");
        if (p.xdg)
            ::setenv("XDG_CONFIG_HOME", p.xdg, 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(TRegistr::VychoziUmisteni(), p.ocekavana);
        EXPECT_EQ(TRegistr().Umisteni(), p.ocekavana);
    }
    if (puvodniXdg)
        ::setenv("XDG_CONFIG_HOME", zalohaXdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    if (puvodniHome)
        ::setenv("HOME", zalohaHome.c_str(), 1);
}

} // namespace

TEST_F(RegistrTest, TextWithoutAValidEncodingCanBeNeitherReadNorWritten) {
    UlozSoubor(std::string("Windows Registry Editor Version 5.00\n\n") + kKlic +
               "\n\"Osamely\"=hex(2):00,d8,61,00,00,00\n\"Lichy\"=hex(2):61,00,62\n");
    TRegistr r(cesta_);
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, false));
    // A surrogate without its pair, or an odd number of bytes, is no UTF-16 text.
    EXPECT_EQ(ChybaRegistru([&] { r.ReadString("Osamely"); }), "Failed to get data for 'Osamely'");
    EXPECT_EQ(ChybaRegistru([&] { r.ReadString("Lichy"); }), "Failed to get data for 'Lichy'");
    r.CloseKey();
    ASSERT_TRUE(r.OpenKey(TRegistr::KlicVantrel, true));
    // Overlong forms and encoded surrogates are not UTF-8.
    for (const char* spatny : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xE2\x82"})
        EXPECT_EQ(ChybaRegistru([&] { r.WriteString("Spatny", spatny); }),
                  "Failed to set data for 'Spatny'");
    // A byte order mark inside a value is text like any other and survives a round trip.
    r.WriteString("Znacka", "\xEF\xBB\xBFx");
    EXPECT_EQ(r.ReadString("Znacka"), "\xEF\xBB\xBFx");
}
