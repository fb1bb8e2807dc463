#include "textfile/Spojeni.h"

#include "../BezObchazeniPrav.h"
#include "Pomocne.h"
#include "textfile/LineFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::PrectiSoubor;
using test::TDocasnaSlozka;
using test::U16;

struct TVysledek {
    std::vector<std::size_t> hotove; // positions reported done
    int kod = 0;
    std::string zprava;
    std::ptrdiff_t soubor = 0;
};

TVysledek Spoj(const std::vector<std::string>& vstupy, const std::string& vystup,
               std::uint32_t buffer = 0) {
    TVysledek vysledek;
    TSpojeni spojeni;
    for (const auto& v : vstupy)
        spojeni.Vstupy.push_back(U16(v));
    spojeni.Vystup = U16(vystup);
    spojeni.VelikostBufferu = buffer;
    spojeni.PoSouboru = [&](std::size_t i) { vysledek.hotove.push_back(i); };
    try {
        vantrel::Spoj(spojeni);
    } catch (const EChybaSpojeni& chyba) {
        vysledek.kod = chyba.Kod();
        vysledek.zprava = chyba.what();
        vysledek.soubor = chyba.Soubor();
    }
    return vysledek;
}

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
    ASSERT_EQ(symlink(b.c_str(), s.Soubor("odkaz").c_str()), 0);
    for (const std::string& vystup : {b, s.Soubor("odkaz"), s.Cesta() + "/./b"}) {
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

// The rule is about content: a FIFO, which only one reader drains, is refused before it is
// opened; a device such as /dev/null may be both input and output.
TEST(Join, TheSameFileRuleIsAboutContent) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n"), roura = s.Soubor("roura");
    ASSERT_EQ(mkfifo(roura.c_str(), 0600), 0);
    const struct {
        std::vector<std::string> vstupy;
        std::string vystup;
        int kod;
    } pripady[] = {
        {{a, "/dev/null"}, "/dev/null", 0},
        {{"/dev/null", roura}, roura, 32},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.vystup);
        EXPECT_EQ(Spoj(p.vstupy, p.vystup).kod, p.kod);
    }
}

// Where no one may wait (the window), an input that may never deliver is refused before the
// output is touched; one that becomes such during the join is refused as it is opened, without
// waiting for a writer.
TEST(Join, InputsThatMayNeverDeliverAreRefusedWhereNoOneMayWait) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n"), vystup = s.Zapis("out", "precious\n");
    const std::string roura = s.Soubor("roura"), odkaz = s.Soubor("odkaz");
    ASSERT_EQ(mkfifo(roura.c_str(), 0600), 0);
    ASSERT_EQ(symlink(roura.c_str(), odkaz.c_str()), 0);
    const int zasuvka = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un adresa{};
    adresa.sun_family = AF_UNIX;
    const std::string cestaZasuvky = s.Soubor("zasuvka");
    ASSERT_LT(cestaZasuvky.size(), sizeof adresa.sun_path);
    cestaZasuvky.copy(adresa.sun_path, cestaZasuvky.size());
    ASSERT_EQ(bind(zasuvka, reinterpret_cast<sockaddr*>(&adresa), sizeof adresa), 0);
    for (const std::string& nejisty : {roura, odkaz, cestaZasuvky, std::string("/dev/zero")}) {
        SCOPED_TRACE(nejisty);
        TSpojeni spojeni;
        spojeni.Vstupy = {U16(a), U16(nejisty)};
        spojeni.Vystup = U16(vystup);
        spojeni.BezCekani = true;
        try {
            vantrel::Spoj(spojeni);
            ADD_FAILURE() << "joined";
        } catch (const EChybaSpojeni& chyba) {
            EXPECT_EQ(chyba.Kod(), 222);
            EXPECT_EQ(std::string(chyba.what()),
                      "Not joined: a pipe or device may never end - " + nejisty);
            EXPECT_EQ(chyba.Soubor(), 1);
        }
        EXPECT_EQ(PrectiSoubor(vystup), "precious\n");
    }
    close(zasuvka);
    // Opened as the join reaches it: refused at once, though no writer ever comes.
    TLineFile f;
    AssignLineFile(f, U16(roura));
    f.Flags |= FlagBezCekani;
    OpenForReading(f);
    EXPECT_EQ(TakeIoStatus(), 222);
    EXPECT_EQ(f.Mode, ModeClosed);
}

TEST(Join, OutputFailures) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    const std::string soubor = s.Zapis("soubor", "x");
    auto v = Spoj({a}, soubor + "/out");
    EXPECT_EQ(v.kod, 3);
    EXPECT_EQ(v.soubor, EChybaSpojeni::Vystup);
    EXPECT_EQ(v.zprava, "Invalid file name - " + soubor + "/out");

    v = Spoj({a}, "/dev/full");
    EXPECT_EQ(v.kod, 112);
    EXPECT_EQ(v.zprava, "I/O error 112");
    EXPECT_EQ(v.soubor, EChybaSpojeni::Vystup);
    EXPECT_TRUE(v.hotove.empty());
}

TEST(Join, OutputInAReadOnlyFolder) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    mkdir(s.Soubor("ro").c_str(), 0555);
    test::TBezObchazeniPrav bezPrav;
    auto v = Spoj({a}, s.Soubor("ro/out"));
    EXPECT_EQ(v.kod, 5);
    EXPECT_EQ(v.zprava, "File access denied");
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

TEST(Join, ToStandardOutputRefusesAnInputThatIsIt) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    const int ulozeny = dup(STDOUT_FILENO);
    const int fd = open(a.c_str(), O_WRONLY | O_APPEND);
    dup2(fd, STDOUT_FILENO);
    close(fd);
    TSpojeni spojeni;
    spojeni.Vstupy = {U16(a)};
    spojeni.NaStandardniVystup = true;
    int kod = 0;
    try {
        vantrel::Spoj(spojeni);
    } catch (const EChybaSpojeni& chyba) {
        kod = chyba.Kod();
    }
    dup2(ulozeny, STDOUT_FILENO);
    close(ulozeny);
    EXPECT_EQ(kod, 32);
    EXPECT_EQ(PrectiSoubor(a), "a\n");
}

} // namespace
} // namespace vantrel
