#include "Pomocne.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::PrectiSoubor;
using test::TDocasnaSlozka;

struct TBeh {
    int navrat = -1;
    std::string vystup, chyby;
};

// Runs vantrel-join with the arguments; standard output goes to `stdoutSoubor` when given.
TBeh Spust(std::vector<std::string> argumenty, const std::string& stdoutSoubor = {}) {
    TDocasnaSlozka zachyt;
    const std::string out = stdoutSoubor.empty() ? zachyt.Soubor("stdout") : stdoutSoubor;
    const std::string err = zachyt.Soubor("stderr");
    pid_t pid = fork();
    if (pid == 0) {
        int fdOut = open(out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        int fdErr = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fdOut, 1);
        dup2(fdErr, 2);
        std::vector<char*> argv{const_cast<char*>(VANTREL_JOIN)};
        for (auto& a : argumenty)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(VANTREL_JOIN, argv.data());
        _exit(127);
    }
    int stav = 0;
    waitpid(pid, &stav, 0);
    TBeh beh;
    beh.navrat = WIFEXITED(stav) ? WEXITSTATUS(stav) : -1;
    beh.vystup = stdoutSoubor.empty() ? PrectiSoubor(out) : "";
    beh.chyby = PrectiSoubor(err);
    return beh;
}

TEST(VantrelJoin, VersionAndHelp) {
    auto beh = Spust({"--version"});
    EXPECT_EQ(beh.navrat, 0);
    EXPECT_EQ(beh.vystup, std::string("vantrel-join ") + VANTREL_VERZE + "\n");
    beh = Spust({"--help"});
    EXPECT_EQ(beh.navrat, 0);
    EXPECT_NE(beh.vystup.find("usage: vantrel-join [-o OUTPUT] [--buffer-size BYTES] INPUT..."),
              std::string::npos);
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
        {"--buffer-size", a},
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
        beh = Spust({a, "-o", s.Soubor("out"), "--", b});
        EXPECT_EQ(beh.navrat, 0) << beh.chyby;
        EXPECT_EQ(PrectiSoubor(s.Soubor("out")), ocekavane);
        EXPECT_TRUE(beh.vystup.empty());
    }
}

TEST(VantrelJoin, AFailureNamesTheFileAndKeepsWhatWasWritten) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    auto beh = Spust({a, s.Soubor("missing"), a, "-o", s.Soubor("out")});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + s.Soubor("missing") + ": File not found\n");
    EXPECT_EQ(PrectiSoubor(s.Soubor("out")), "a\r\n\r\n");

    beh = Spust({a, "-o", a});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + a + ": I/O error 32\n");
    EXPECT_EQ(PrectiSoubor(a), "a\n");

    beh = Spust({a, "-o", "/dev/full"});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: /dev/full: I/O error 112\n");

    // Standard output appended to one of the inputs would never end; it is refused.
    beh = Spust({a}, a);
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + a + ": I/O error 32\n");
    EXPECT_EQ(PrectiSoubor(a), "a\n");
}

// Reading a process's own memory at offset 0 fails with EIO after a successful open: a read
// failure without any seam.
TEST(VantrelJoin, AFailingReadStopsTheJoinWithItsFile) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    for (const char* buffer : {"128", "64K"}) {
        SCOPED_TRACE(buffer);
        auto beh = Spust({"--buffer-size", buffer, a, "/proc/self/mem", a, "-o", s.Soubor("out")});
        EXPECT_EQ(beh.navrat, 1);
        EXPECT_EQ(beh.chyby, "vantrel-join: /proc/self/mem: I/O error 1117\n");
        EXPECT_EQ(PrectiSoubor(s.Soubor("out")), "a\r\n\r\n");
    }
}

TEST(VantrelJoin, FileNamesThatAreNotValidText) {
    TDocasnaSlozka s;
    const std::string divny = s.Zapis("n\xFF\xFE\xC3", "bytes\n");
    auto beh = Spust({divny});
    EXPECT_EQ(beh.navrat, 0) << beh.chyby;
    EXPECT_EQ(beh.vystup, "bytes\r\n\r\n");
}

} // namespace
} // namespace vantrel
