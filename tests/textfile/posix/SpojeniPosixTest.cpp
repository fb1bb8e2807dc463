#include "../../BezObchazeniPrav.h"
#include "../Pomocne.h"
#include "../Spojeni.h"
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
using test::Spoj;
using test::TDocasnaSlozka;
using test::U16;

TEST(Join, ALinkToAnInputIsThatInput) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n"), b = s.Zapis("b", "precious\n");
    ASSERT_EQ(symlink(b.c_str(), s.Soubor("odkaz").c_str()), 0);
    auto v = Spoj({a, b}, s.Soubor("odkaz"));
    EXPECT_EQ(v.kod, 32);
    EXPECT_EQ(v.soubor, 1);
    EXPECT_EQ(PrectiSoubor(b), "precious\n");
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

TEST(Join, OutputInAReadOnlyFolder) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    mkdir(s.Soubor("ro").c_str(), 0555);
    test::TBezObchazeniPrav bezPrav;
    auto v = Spoj({a}, s.Soubor("ro/out"));
    EXPECT_EQ(v.kod, 5);
    EXPECT_EQ(v.zprava, "File access denied");
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

TEST(Join, AFullDeviceStopsTheJoin) {
    TDocasnaSlozka s;
    auto v = Spoj({s.Zapis("a", "a\n")}, "/dev/full");
    EXPECT_EQ(v.kod, 112);
    EXPECT_EQ(v.zprava, "I/O error 112");
    EXPECT_EQ(v.soubor, EChybaSpojeni::Vystup);
    EXPECT_TRUE(v.hotove.empty());
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

} // namespace
} // namespace vantrel
