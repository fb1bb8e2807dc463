#include "Pomocne.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
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

// Starts vantrel-join with the arguments and the given descriptors as standard input and output
// (-1: inherited); standard error goes to `chyby`.
pid_t Zahaj(std::vector<std::string> argumenty, int vstup, int vystup, const std::string& chyby) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int fdErr = open(chyby.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (vstup >= 0)
            dup2(vstup, 0);
        if (vystup >= 0)
            dup2(vystup, 1);
        dup2(fdErr, 2);
        std::vector<char*> argv{const_cast<char*>(VANTREL_JOIN)};
        for (auto& a : argumenty)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(VANTREL_JOIN, argv.data());
        _exit(127);
    }
    return pid;
}

int Navrat(pid_t pid) {
    int stav = 0;
    waitpid(pid, &stav, 0);
    return WIFEXITED(stav) ? WEXITSTATUS(stav) : -1;
}

// Runs vantrel-join to the end; standard output goes to `stdoutSoubor` when given (appended, as
// a shell's >> would), standard input comes from `stdinSoubor` when given.
TBeh Spust(std::vector<std::string> argumenty, const std::string& stdoutSoubor = {},
           const std::string& stdinSoubor = {}) {
    TDocasnaSlozka zachyt;
    const std::string out = stdoutSoubor.empty() ? zachyt.Soubor("stdout") : stdoutSoubor;
    const int fdOut = open(out.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOCTTY | O_CLOEXEC, 0644);
    const int fdIn =
        stdinSoubor.empty() ? -1 : open(stdinSoubor.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    TBeh beh;
    beh.navrat = Navrat(Zahaj(std::move(argumenty), fdIn, fdOut, zachyt.Soubor("stderr")));
    close(fdOut);
    if (fdIn >= 0)
        close(fdIn);
    beh.vystup = stdoutSoubor.empty() ? PrectiSoubor(out) : "";
    beh.chyby = PrectiSoubor(zachyt.Soubor("stderr"));
    return beh;
}

// What the join makes of one file's bytes (without a byte 26).
std::string Spojeny(const std::string& bajty) {
    std::string ven;
    for (char c : bajty)
        ven += c == '\n' ? std::string("\r\n") : std::string(1, c);
    if (!bajty.empty() && bajty.back() != '\n')
        ven += "\r\n";
    return ven + "\r\n";
}

// --help and --version anywhere among the arguments, as GNU tools take them.
TEST(VantrelJoin, VersionAndHelp) {
    const std::string verze = std::string("vantrel-join ") + VANTREL_VERZE + "\n";
    const std::string pouziti =
        "usage: vantrel-join [-o OUTPUT] [--buffer-size BYTES] [--] INPUT...\n"
        "       vantrel-join -h | --help | --version\n";
    const struct {
        std::vector<std::string> argumenty;
        std::string zacatek;
    } pripady[] = {
        {{"--version"}, verze}, {{"missing", "--version"}, verze},
        {{"--vers"}, verze},    {{"--help"}, pouziti},
        {{"-h"}, pouziti},      {{"missing", "-o", "out", "--help"}, pouziti},
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
    EXPECT_EQ(beh.chyby, "vantrel-join: (standard input): I/O error 32\n");
    EXPECT_EQ(PrectiSoubor(vstup), "in\n");
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

    // After -- an option's name is a file's; a control character never reaches the terminal.
    beh = Spust({"--", "--help"});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: --help: File not found\n");
    beh = Spust({s.Soubor("\x1b[2J\tx\ny\x7f\xc2\x9b")});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby,
              "vantrel-join: " + s.Cesta() + "/\\x1b[2J\\tx\\ny\\x7f\\xc2\\x9b: File not found\n");
}

// The same-file rule is about files: a device may be input and output at once.
TEST(VantrelJoin, DevicesJoinNormally) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    for (const auto& argumenty : {std::vector<std::string>{"/dev/null"},
                                  std::vector<std::string>{a, "/dev/null", "-o", "/dev/null"}}) {
        SCOPED_TRACE(argumenty.back());
        const auto beh = Spust(argumenty, "/dev/null");
        EXPECT_EQ(beh.navrat, 0);
        EXPECT_EQ(beh.chyby, "");
    }

    // A terminal as standard input and output: vantrel-join /dev/stdin reads what is typed.
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    const std::string napsano = "typed\n\x04";
    ASSERT_EQ(write(terminal, napsano.data(), napsano.size()), ssize_t(napsano.size()));
    const auto beh = Spust({"/dev/stdin"}, ptsname(terminal), ptsname(terminal));
    EXPECT_EQ(beh.navrat, 0);
    EXPECT_EQ(beh.chyby, "");
    close(terminal);
}

// An input cut short while it is read ends where it ended, as with cat: nothing invented, no
// error. The join is held on a full pipe, with its input read up to about 64 KiB, while the
// input is cut to 1 MiB.
TEST(VantrelJoin, AnInputThatShrinksEndsWhereItEnded) {
    TDocasnaSlozka s;
    std::string obsah;
    for (int i = 0; obsah.size() < 2 * 1024 * 1024; ++i)
        obsah += "line " + std::to_string(i) + "\n";
    const std::string velky = s.Zapis("velky", obsah);
    const std::size_t zbude = 1024 * 1024;

    int roura[2];
    ASSERT_EQ(pipe2(roura, O_CLOEXEC), 0);
    ASSERT_EQ(fcntl(roura[0], F_SETPIPE_SZ, 65536), 65536);
    const pid_t pid = Zahaj({"--buffer-size", "128", velky}, -1, roura[1], s.Soubor("chyby"));
    close(roura[1]);
    for (int v = 0; v < 65536;)
        ASSERT_EQ(ioctl(roura[0], FIONREAD, &v), 0);
    ASSERT_EQ(truncate(velky.c_str(), zbude), 0);
    std::string vystup;
    char buf[65536];
    for (ssize_t n; (n = read(roura[0], buf, sizeof buf)) > 0;)
        vystup.append(buf, n);
    close(roura[0]);
    EXPECT_EQ(Navrat(pid), 0);
    EXPECT_EQ(PrectiSoubor(s.Soubor("chyby")), "");
    EXPECT_TRUE(vystup == Spojeny(obsah.substr(0, zbude))) << vystup.size();
}

// The output of a join still running is locked: another join cannot read it half written.
TEST(VantrelJoin, TheOutputOfARunningJoinIsRefused) {
    TDocasnaSlozka s;
    const std::string roura = s.Soubor("roura"), out = s.Soubor("out");
    ASSERT_EQ(mkfifo(roura.c_str(), 0600), 0);
    const pid_t pid = Zahaj({"-o", out, roura}, -1, -1, s.Soubor("chyby"));
    // Opens once the first join reads the FIFO, which it opens after locking its output.
    const int pisatel = open(roura.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(pisatel, 0);
    const auto beh = Spust({out, "-o", s.Soubor("out2")});
    EXPECT_EQ(beh.navrat, 1);
    EXPECT_EQ(beh.chyby, "vantrel-join: " + out + ": I/O error 32\n");
    ASSERT_EQ(write(pisatel, "end\n", 4), 4);
    close(pisatel);
    EXPECT_EQ(Navrat(pid), 0);
    EXPECT_EQ(PrectiSoubor(out), "end\r\n\r\n");
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

// A file name is the bytes of its argument, whatever the locale (also run under C, UTF-8 and
// ISO-8859-2 locales), and an error names it with those bytes.
TEST(VantrelJoin, FileNamesAreTheirBytes) {
    const char* const jmena[] = {
        "n\xFF\xFE\xC3",          // no text in any codeset
        "\xC5\xBElu\xC5\xA5.txt", // "žluť.txt" in UTF-8
        "\xBElu\xBB.txt",         // "žluť.txt" in ISO-8859-2
    };
    for (const char* jmeno : jmena) {
        SCOPED_TRACE(jmeno);
        TDocasnaSlozka s;
        auto beh = Spust({s.Zapis(jmeno, "bytes\n")});
        EXPECT_EQ(beh.navrat, 0) << beh.chyby;
        EXPECT_EQ(beh.vystup, "bytes\r\n\r\n");
        const std::string chybi = s.Soubor(std::string("x") + jmeno);
        beh = Spust({chybi});
        EXPECT_EQ(beh.navrat, 1);
        EXPECT_EQ(beh.chyby, "vantrel-join: " + chybi + ": File not found\n");
    }
}

} // namespace
} // namespace vantrel
