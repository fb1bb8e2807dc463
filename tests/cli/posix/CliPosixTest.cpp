// vantrel-join on what only POSIX has: devices, FIFOs, terminals, sockets, closed standard
// streams, file size limits, other users, symbolic links and the locale's codeset.

#include "Pomocne.h"
#include "SpusteniPosix.h"
#include "platforma/KodovaStranka.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::JeVystupem;
using test::JinyProgram;
using test::Navrat;
using test::PrectiSoubor;
using test::Spust;
using test::TDocasnaSlozka;
using test::TPriprava;
using test::Zahaj;

const std::string ChybaZarizeni = "I/O error 1117 (an input/output error of the device)";

// In the started program: a write beyond `mez` bytes of a file fails (EFBIG) instead of
// stopping the program.
void OmezVelikost(rlim_t mez) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{mez, mez};
    setrlimit(RLIMIT_FSIZE, &r);
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
    EXPECT_EQ(beh.chyby, "vantrel-join: " + out + ": " + JinyProgram + "\n");
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
        EXPECT_EQ(beh.chyby, "vantrel-join: /proc/self/mem: " + ChybaZarizeni + "\n");
        EXPECT_EQ(PrectiSoubor(s.Soubor("out")), "a\r\n\r\n");
    }
}

// Standard streams closed at start: "-" never reads the program's own output through a free
// number, no name reaches the output that way, and what cannot be written is not silently lost.
TEST(VantrelJoin, ClosedStandardStreamsAreNeverItsOwnFiles) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    std::string obsah;
    for (int i = 0; obsah.size() < 110 * 1024; ++i)
        obsah += "line " + std::to_string(i) + "\n";
    const std::string q = s.Soubor("q");
    const std::string zavreny =
        "I/O error 6 (the stream is closed, or not open for reading or writing)";
    auto presmeruj = [](const std::string& cesta, int priznaky, int cislo) {
        const int fd = open(cesta.c_str(), priznaky);
        dup2(fd, cislo);
        close(fd);
    };
    const struct {
        const char* popis;
        std::vector<std::string> argumenty;
        TPriprava priprava;
        int navrat;
        std::string chyby, q;
    } pripady[] = {
        {"- <&- 1<>q",
         {"--buffer-size", "128", "-"},
         [&] {
             presmeruj(q, O_RDWR, 1);
             close(0);
         },
         1,
         "(standard input): " + zavreny,
         obsah},
        {"- <&- >>q", {"-"}, [] { close(0); }, 1, "(standard input): " + zavreny, obsah},
        {"/dev/fd/3 >>q, 3 closed",
         {"/dev/fd/3"},
         [] { close(3); },
         1,
         "/dev/fd/3: " + JeVystupem,
         obsah},
        {"a >&-", {a}, [] { close(1); }, 1, "(standard output): " + zavreny, obsah},
        {"a <&- 2>&-", {a}, [] { close(0), close(2); }, 0, "", obsah + "a\r\n\r\n"},
        {"a <&- >&- -o q", {a, "-o", q}, [] { close(0), close(1); }, 0, "", "a\r\n\r\n"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        s.Zapis("q", obsah);
        // A join that reads its own output stops at a limit instead of filling the disk.
        const auto beh = Spust(p.argumenty, q, {}, [&] {
            OmezVelikost(4 * 1024 * 1024);
            p.priprava();
        });
        EXPECT_EQ(beh.navrat, p.navrat);
        EXPECT_EQ(beh.chyby, p.chyby.empty() ? "" : "vantrel-join: " + p.chyby + "\n");
        EXPECT_TRUE(PrectiSoubor(q) == p.q) << PrectiSoubor(q).size();
    }
}

// "-" is descriptor 0 as it stands, as for cat: read on from where another program left it, a
// socket, one that a privileged parent opened for a program that could not open it itself.
TEST(VantrelJoin, StandardInputIsReadAsItStands) {
    TDocasnaSlozka s;
    const std::string soubor = s.Zapis("s", "one\ntwo\nthree\n");
    const struct {
        const char* popis;
        std::function<int()> otevri; // the descriptor for standard input
        TPriprava priprava;
        std::string vystup;
    } pripady[] = {
        {"after another reader's first line",
         [&] {
             const int fd = open(soubor.c_str(), O_RDONLY | O_CLOEXEC);
             lseek(fd, 4, SEEK_SET);
             return fd;
         },
         {},
         "two\r\nthree\r\n\r\n"},
        {"a socket",
         [] {
             int par[2];
             socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, par);
             EXPECT_EQ(write(par[0], "sock\n", 5), 5);
             close(par[0]);
             return par[1];
         },
         {},
         "sock\r\n\r\n"},
        {"opened for a program without the right",
         [&] {
             const std::string tajny = s.Zapis("tajny", "secret\n");
             const int fd = open(tajny.c_str(), O_RDONLY | O_CLOEXEC);
             chmod(tajny.c_str(), 0);
             return fd;
         },
         [] {
             // Root reads a file of mode 0 by its name: the program runs as nobody instead.
             if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                 _exit(126);
         },
         "secret\r\n\r\n"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        const int vstup = p.otevri();
        ASSERT_GE(vstup, 0);
        TDocasnaSlozka zachyt;
        const std::string out = zachyt.Soubor("out");
        const int fdOut = open(out.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        EXPECT_EQ(Navrat(Zahaj({"-"}, vstup, fdOut, zachyt.Soubor("chyby"), p.priprava)), 0);
        EXPECT_EQ(PrectiSoubor(zachyt.Soubor("chyby")), "");
        EXPECT_EQ(PrectiSoubor(out), p.vystup);
        // The offset is shared: the join left it at the end.
        if (lseek(vstup, 0, SEEK_CUR) >= 0) {
            EXPECT_EQ(lseek(vstup, 0, SEEK_CUR), lseek(vstup, 0, SEEK_END));
        }
        close(fdOut);
        close(vstup);
    }
}

// The output reaches a limit while its buffer holds the whole first file, and the second input
// then fails: the failed write is reported, not the input, at every buffer size.
TEST(VantrelJoin, AFailedWriteIsReportedBeforeALaterInputsFailure) {
    TDocasnaSlozka s;
    std::string obsah;
    for (int i = 0; obsah.size() < 300 * 1024; ++i)
        obsah += "line number " + std::to_string(i) + "\n";
    const std::string velky = s.Zapis("velky", obsah), out = s.Soubor("out");
    const rlim_t mez = 64 * 1024;
    const TPriprava omez = [mez] { OmezVelikost(mez); };
    for (const char* buffer : {"128", "4K", "64K", "1M"}) {
        for (const std::string& pozdejsi : {s.Soubor("missing"), std::string("/proc/self/mem")}) {
            SCOPED_TRACE(std::string(buffer) + " then " + pozdejsi);
            std::remove(out.c_str());
            const auto beh =
                Spust({"--buffer-size", buffer, velky, pozdejsi, "-o", out}, {}, {}, omez);
            EXPECT_EQ(beh.navrat, 1);
            EXPECT_EQ(beh.chyby,
                      "vantrel-join: " + out + ": I/O error 223 (the file is too large)\n");
            const std::string zapsano = PrectiSoubor(out);
            EXPECT_EQ(zapsano.size(), mez);
            EXPECT_TRUE(Spojeny(obsah).compare(0, zapsano.size(), zapsano) == 0);
        }
    }
}

// "I/O error N" is a Windows system error number; the words say what it means, as the manual
// does, which lists each of them.
TEST(VantrelJoin, EachErrorNumberComesWithItsReasonAsTheManualGivesIt) {
    TDocasnaSlozka s;
    const std::string a = s.Zapis("a", "a\n");
    const std::string smycka = s.Soubor("smycka"), zasuvka = s.Soubor("zasuvka");
    ASSERT_EQ(symlink("smycka", smycka.c_str()), 0);
    const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un adresa{};
    adresa.sun_family = AF_UNIX;
    ASSERT_LT(zasuvka.size(), sizeof adresa.sun_path);
    zasuvka.copy(adresa.sun_path, zasuvka.size());
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&adresa), sizeof adresa), 0);
    const std::string dlouhe = s.Soubor(std::string(300, 'x'));
    const std::string manual = PrectiSoubor(VANTREL_MANUAL);
    const struct {
        std::vector<std::string> argumenty;
        std::string soubor, zprava;
    } pripady[] = {
        {{a, "-o", a}, a, JeVystupem},
        {{a, "-o", "/dev/full"}, "/dev/full", "I/O error 112 (no space left on the device)"},
        {{"/proc/self/mem"}, "/proc/self/mem", ChybaZarizeni},
        {{dlouhe}, dlouhe, "I/O error 206 (the file name is too long)"},
        {{smycka}, smycka, "I/O error 1921 (too many levels of symbolic links)"},
        {{zasuvka}, zasuvka, "I/O error 10006 (ENXIO: No such device or address)"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.zprava);
        const auto beh = Spust(p.argumenty);
        EXPECT_EQ(beh.navrat, 1);
        EXPECT_EQ(beh.chyby, "vantrel-join: " + p.soubor + ": " + p.zprava + "\n");
        EXPECT_NE(manual.find(p.zprava), std::string::npos) << "not in the manual";
    }
    EXPECT_NE(manual.find(JinyProgram), std::string::npos);
    close(server);
}

// What a terminal would act on never reaches it raw: control characters of the user's codeset
// (C1 bytes are controls in ISO 8859, characters in UTF-8 only as U+0080..U+009F) and the
// controls that reorder a line. Run under the C, UTF-8 and ISO-8859-2 locales.
TEST(VantrelJoin, ErrorLinesEscapeWhatTheTerminalWouldActOn) {
    std::setlocale(LC_ALL, "");
    const bool utf8 = ProcessCodePage().JeUtf8();
    const struct {
        const char* jmeno;
        const char* vUtf8;
        const char* vIso8859;
    } pripady[] = {
        {"\x1b[2J", "\\x1b[2J", "\\x1b[2J"},
        {"\tx\ny\r", "\\tx\\ny\\r", "\\tx\\ny\\r"},
        {"del\x7f", "del\\x7f", "del\\x7f"},
        {"csi\xc2\x9b", "csi\\xc2\\x9b", "csi\xc2\\x9b"},
        {"c1\x9b\x9d\x9c", "c1\\x9b\\x9d\\x9c", "c1\\x9b\\x9d\\x9c"},
        {"\xe2\x80\xaeRLO", "\\xe2\\x80\\xaeRLO", "\xe2\\x80\xaeRLO"},
        {"\xd8\x9c"
         "ALM",
         "\\xd8\\x9c"
         "ALM",
         "\xd8\\x9c"
         "ALM"},
        {"\xe2\x80\x8f"
         "RLM",
         "\\xe2\\x80\\x8f"
         "RLM",
         "\xe2\\x80\\x8f"
         "RLM"},
        {"\xe2\x81\xa6"
         "LRI",
         "\\xe2\\x81\\xa6"
         "LRI",
         "\xe2\\x81\xa6"
         "LRI"},
        {"\xc5\xbe"
         "lu\xc5\xa5",
         "\xc5\xbe"
         "lu\xc5\xa5",
         "\xc5\xbe"
         "lu\xc5\xa5"},
        {"\xc4\x8d"
         "as",
         "\xc4\x8d"
         "as",
         "\xc4\\x8d"
         "as"},
        {"\xbe"
         "lu\xbb",
         "\xbe"
         "lu\xbb",
         "\xbe"
         "lu\xbb"},
        {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", "\xf0\\x9f\\x98\\x80"},
    };
    TDocasnaSlozka s;
    for (const auto& p : pripady) {
        SCOPED_TRACE(test::Citelne(p.jmeno));
        const auto beh = Spust({s.Soubor(p.jmeno)});
        EXPECT_EQ(beh.navrat, 1);
        EXPECT_EQ(beh.chyby, "vantrel-join: " + s.Cesta() + "/" + (utf8 ? p.vUtf8 : p.vIso8859) +
                                 ": File not found\n");
    }
}

} // namespace
} // namespace vantrel
