// vantrel-join as a user runs it, on every platform: the same options, exit statuses, messages
// and bytes.

#include "Pomocne.h"
#include "Spusteni.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::JeVystupem;
using test::JinyProgram;
using test::PrectiSoubor;
using test::Spust;
using test::TDocasnaSlozka;

// --help and --version anywhere among the options, also after a bad one; the first of them wins.
TEST(VantrelJoin, VersionAndHelp) {
    const std::string verze = std::string("vantrel-join ") + VANTREL_VERZE + "\n";
    const std::string pouziti =
        "usage: vantrel-join [-o OUTPUT] [--buffer-size BYTES] [--] INPUT...\n"
        "       vantrel-join -h | --help | --version\n";
    const struct {
        std::vector<std::string> argumenty;
        std::string zacatek;
    } pripady[] = {
        {{"--version"}, verze},
        {{"missing", "--version"}, verze},
        {{"--vers"}, verze},
        {{"--help"}, pouziti},
        {{"-h"}, pouziti},
        {{"missing", "-o", "out", "--help"}, pouziti},
        {{"--bogus", "--help"}, pouziti},
        {{"--buffer-size", "0", "-x", "--version"}, verze},
        {{"--output", "--version", "-h"}, pouziti},
        {{"--version", "--help"}, verze},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.argumenty.back());
        const auto beh = Spust(p.argumenty);
        EXPECT_EQ(beh.navrat, 0);
        EXPECT_EQ(beh.vystup.substr(0, p.zacatek.size()), p.zacatek);
        EXPECT_TRUE(beh.chyby.empty());
    }
}

TEST(VantrelJoin, UsageErrors) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    const std::vector<std::vector<std::string>> chybne = {
        {},
        {"--bogus", a},
        {"-o"},
        {"-o", s.Soubor("out")},
        {"--buffer-size", "0", a},
        {"--buffer-size", "16777217", a},
        {"--buffer-size", "17M", a},
        {"--buffer-size", "12x", a},
        {"--buffer-size", "-5", a},
        {"--buffer-size", "99999999999999999999999", a},
        {"--buffer-size", "18014398509481985K", a},
        {"--buffer-size", "17592186044417M", a},
        {"--buffer-size=16777217", a},
        {"--buffer-size", " 5", a},
        {"--buffer-size", a},
        {a, "--buffer-size"},
        {"-o", "", a},
        {"--output=", a},
        {a, "--output"},
        {"-x", a},
        {"--help=yes"},
        {"--output", "--help"},
    };
    for (const auto& argumenty : chybne) {
        std::string popis;
        for (const auto& x : argumenty)
            popis += x + " ";
        SCOPED_TRACE(popis);
        auto beh = Spust(argumenty);
        EXPECT_EQ(beh.navrat, 2);
        EXPECT_NE(beh.chyby.find("usage: vantrel-join"), std::string::npos) << beh.chyby;
        EXPECT_TRUE(beh.vystup.empty());
    }
}

TEST(VantrelJoin, JoinsToStandardOutputOrAFile) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "one\ntwo"), b = s.Zapis("-b", "x\r\n");
    const std::string ocekavane = "one\r\ntwo\r\n\r\nx\r\n\r\n";
    for (const char* buffer : {"1", "128", "65536", "16M", "4K"}) {
        SCOPED_TRACE(buffer);
        auto beh = Spust({"--buffer-size", buffer, a, "--", b});
        EXPECT_EQ(beh.navrat, 0) << beh.chyby;
        EXPECT_EQ(beh.vystup, ocekavane);
        EXPECT_TRUE(beh.chyby.empty());
    }
    const std::string out = s.Soubor("out");
    const std::vector<std::vector<std::string>> podoby = {
        {a, "-o", out, "--", b},
        {"-o" + out, a, "--", b},
        {a, "--output=" + out, "--", b},
        {"--output", out, "--", a, b},
        {"--out=" + out, "--buffer-size=128", a, "--", b},
    };
    for (const auto& argumenty : podoby) {
        SCOPED_TRACE(argumenty[1]);
        std::remove(out.c_str());
        const auto beh = Spust(argumenty);
        EXPECT_EQ(beh.navrat, 0) << beh.chyby;
        EXPECT_EQ(PrectiSoubor(out), ocekavane);
        EXPECT_TRUE(beh.vystup.empty());
    }
}

// "-" is standard input wherever it stands, as for cat; a file of that name is "./-".
TEST(VantrelJoin, ADashIsStandardInput) {
    TDocasnaSlozka s;
    const std::string vstup = s.Zapis("vstup", "in\n");
    s.Zapis("-", "file\n");
    for (const std::vector<std::string>& argumenty :
         {std::vector<std::string>{"-", s.Soubor("-")}, {"--", "-", s.Cesta() + "/./-"}}) {
        const auto beh = Spust(argumenty, {}, vstup);
        EXPECT_EQ(beh.navrat, 0) << beh.chyby;
        EXPECT_EQ(beh.vystup, "in\r\n\r\nfile\r\n\r\n");
    }
    // Standard input that is the output: named as such, and nothing appended.
    const auto beh = Spust({"-"}, vstup, vstup);
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: (standard input): " + JeVystupem + "\n");
    EXPECT_EQ(PrectiSoubor(vstup), "in\n");
}

TEST(VantrelJoin, AFailureNamesTheFileAndKeepsWhatWasWritten) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n"), out = s.Soubor("out");
    auto beh = Spust({a, s.Soubor("missing"), a, "-o", out});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + s.Soubor("missing") + ": File not found\n");
    EXPECT_EQ(PrectiSoubor(out), "a\r\n\r\n");

    beh = Spust({a, "-o", a});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + a + ": " + JeVystupem + "\n");
    EXPECT_EQ(PrectiSoubor(a), "a\n");

    // Standard output appended to one of the inputs would never end; it is refused.
    beh = Spust({a}, a);
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + a + ": " + JeVystupem + "\n");
    EXPECT_EQ(PrectiSoubor(a), "a\n");

    // After -- an option's name is a file's.
    beh = Spust({"--", "--help"});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: --help: File not found\n");

    // An input that another program is writing is not read half written; an output that
    // another program reads is not emptied under it.
    const std::string pise = s.Zapis("pise", "half\n");
    {
        const test::TDrzenySoubor drzi(pise, true);
        beh = Spust({a, pise, a, "-o", out});
    }
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + pise + ": " + JinyProgram + "\n");
    EXPECT_EQ(PrectiSoubor(out), "a\r\n\r\n");
    {
        const test::TDrzenySoubor drzi(out, false);
        beh = Spust({a, "-o", out});
    }
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + out + ": " + JinyProgram + "\n");
    EXPECT_EQ(PrectiSoubor(out), "a\r\n\r\n");
}

// A file name is the one typed: on POSIX the bytes of its argument, whatever the locale (also
// run under C, UTF-8 and ISO-8859-2 locales); on Windows its characters, whatever the ANSI code
// page. An error names it as typed.
TEST(VantrelJoin, FileNamesAreTheirBytes) {
    for (const std::string& jmeno : test::JmenaSouboru()) {
        SCOPED_TRACE(test::Citelne(jmeno));
        TDocasnaSlozka s;
        auto beh = Spust({s.Zapis(jmeno, "bytes\n")});
        EXPECT_EQ(beh.navrat, 0) << beh.chyby;
        EXPECT_EQ(beh.vystup, "bytes\r\n\r\n");
        const std::string chybi = s.Soubor("x" + jmeno);
        beh = Spust({chybi});
        EXPECT_EQ(beh.navrat, 1);
        EXPECT_EQ(beh.chyby, "vantrel-join: " + chybi + ": File not found\n");
    }
}

} // namespace
} // namespace vantrel
