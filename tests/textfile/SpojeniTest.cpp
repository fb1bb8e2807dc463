#include "textfile/Spojeni.h"

#include "Pomocne.h"
#include "Spojeni.h"
#include "textfile/LineFile.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::PrectiSoubor;
using test::Spoj;
using test::TDocasnaSlozka;
using test::U16;

TEST(Join, CopiesEveryFileWithAnEmptyLineAfterIt) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "one\ntwo"), b = s.Zapis("b", ""),
                      c = s.Zapis("c", "x\r\ny\r\n");
    for (std::uint32_t buffer : {0u, 1u, 128u, 65536u}) {
        SCOPED_TRACE(buffer);
        auto v = Spoj({a, b, c, a}, s.Soubor("out"), buffer);
        EXPECT_EQ(v.kod, 0) << v.zprava;
        EXPECT_EQ(PrectiSoubor(s.Soubor("out")), "one\r\ntwo\r\n\r\n"
                                                 "\r\n"
                                                 "x\r\ny\r\n\r\n"
                                                 "one\r\ntwo\r\n\r\n");
        EXPECT_EQ(v.hotove, (std::vector<std::size_t>{0, 1, 2, 3}));
    }
}

TEST(Join, OneEmptyFileGivesOneEmptyLine) {
    TDocasnaSlozka s;
    auto v = Spoj({s.Zapis("a", "")}, s.Soubor("out"));
    EXPECT_EQ(v.kod, 0);
    EXPECT_EQ(PrectiSoubor(s.Soubor("out")), "\r\n");
}

TEST(Join, ALineLongerThanAPieceIsCopiedWhole) {
    TDocasnaSlozka s;
    std::string dlouhy(300 * 1024, 'x');
    dlouhy[1000] = '\r';
    dlouhy[200000] = '\0';
    std::string ocekavany = dlouhy;
    ocekavany.erase(1000, 1);
    auto v = Spoj({s.Zapis("a", dlouhy)}, s.Soubor("out"), 65536);
    EXPECT_EQ(v.kod, 0);
    EXPECT_TRUE(PrectiSoubor(s.Soubor("out")) == ocekavany + "\r\n\r\n");
}

TEST(Join, StopsAtTheFailingFile) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "first\n");
    const std::string soubor = s.Zapis("soubor", "x");
    const struct {
        const char* nazev;
        std::string vadny;
        int kod;
        std::string zprava;
    } pripady[] = {
        {"missing file", s.Soubor("missing"), 2, "File not found"},
        {"missing folder on the way", s.Soubor("no/such"), 3,
         "Invalid file name - " + s.Soubor("no/such")},
        {"a folder", s.Cesta(), 5, "File access denied"},
        {"a file on the way", soubor + "/x", 3, "Invalid file name - " + soubor + "/x"},
    };
    const int otevrenychPred = test::PocetOtevrenychSouboru();
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        auto v = Spoj({a, p.vadny, a}, s.Soubor("out"));
        EXPECT_EQ(v.kod, p.kod);
        EXPECT_EQ(v.zprava, p.zprava);
        EXPECT_EQ(v.soubor, 1);
        EXPECT_EQ(v.hotove, std::vector<std::size_t>{0});
        // What was written before the failure is in the output.
        EXPECT_EQ(PrectiSoubor(s.Soubor("out")), "first\r\n\r\n");
        EXPECT_EQ(test::PocetOtevrenychSouboru(), otevrenychPred);
        // Nothing stays pending or locked: the next join succeeds.
        EXPECT_EQ(TakeIoStatus(), 0);
        EXPECT_EQ(Spoj({a}, s.Soubor("out")).kod, 0);
    }
}

TEST(Join, AnOutputThatIsAnInputIsRefusedBeforeItIsTouched) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n"), b = s.Zapis("b", "precious\n");
    for (const std::string& vystup : {b, s.Cesta() + "/./b"}) {
        SCOPED_TRACE(vystup);
        auto v = Spoj({a, b}, vystup);
        EXPECT_EQ(v.kod, 32);
        EXPECT_EQ(v.zprava, "I/O error 32");
        EXPECT_EQ(v.soubor, 1);
        EXPECT_TRUE(v.hotove.empty());
        EXPECT_EQ(PrectiSoubor(b), "precious\n");
    }
    // The same name while it does not exist yet: not created either.
    auto v = Spoj({a, s.Soubor("new")},
                  s.Cesta() + "/../" + s.Cesta().substr(s.Cesta().rfind('/') + 1) + "/new");
    EXPECT_EQ(v.kod, 32);
    EXPECT_FALSE(test::Existuje(s.Soubor("new")));
}

TEST(Join, OutputFailures) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    const std::string soubor = s.Zapis("soubor", "x");
    auto v = Spoj({a}, soubor + "/out");
    EXPECT_EQ(v.kod, 3);
    EXPECT_EQ(v.soubor, EChybaSpojeni::Vystup);
    EXPECT_EQ(v.zprava, "Invalid file name - " + soubor + "/out");
}

TEST(Join, AnInputHeldForWritingStopsTheJoin) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n"), b = s.Zapis("b", "b\n");
    TLineFile pisatel;
    AssignLineFile(pisatel, U16(b));
    ASSERT_EQ(OpenForWriting(pisatel), 0);
    auto v = Spoj({a, b}, s.Soubor("out"));
    EXPECT_EQ(v.kod, 32);
    EXPECT_EQ(v.soubor, 1);
    EXPECT_EQ(PrectiSoubor(s.Soubor("out")), "a\r\n\r\n");
    CloseLineFile(pisatel);
}

} // namespace
} // namespace vantrel
