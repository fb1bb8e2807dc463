#include "../../BezObchazeniPrav.h"
#include "../Pomocne.h"
#include "../Spojeni.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

} // namespace
} // namespace vantrel
