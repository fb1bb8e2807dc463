// The commit protocol on its own, with bytes of no particular format: a file is "valid" when it
// starts with "OK".

#include "platforma/posix/SouborRegistru.h"

#include "../../textfile/Pomocne.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::Existuje;
using test::PrectiSoubor;
using test::TDocasnaSlozka;

bool Platny(const std::string& bajty) {
    return bajty.rfind("OK", 0) == 0;
}

// Appends "+" to whatever the file held; a missing file becomes "OK".
std::string Pridej(const std::string* bajty, const std::string&) {
    return bajty == nullptr ? std::string("OK") : *bajty + "+";
}

std::set<std::string> Soubory(const std::string& slozka) {
    std::set<std::string> jmena;
    for (const auto& polozka : std::filesystem::directory_iterator(slozka))
        jmena.insert(polozka.path().filename());
    return jmena;
}

bool JeOdkaz(const std::string& cesta) {
    struct stat st;
    return ::lstat(cesta.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// People keep dotfiles in a repository and link them: the link stays, the target gets the bytes.
TEST(SouborRegistru, ASymbolicLinkIsWrittenThrough) {
    const struct {
        const char* popis;
        std::string odkaz; // relative to the link's folder "konfig"
        std::string cil;   // the final target, relative to the test folder
        bool existuje;
    } pripady[] = {
        {"relative link", "../dotfiles/vantrel.reg", "dotfiles/vantrel.reg", true},
        {"link to a link", "../dotfiles/odkaz", "dotfiles/vantrel.reg", true},
        {"dangling link", "../dotfiles/novy.reg", "dotfiles/novy.reg", false},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        TDocasnaSlozka s;
        ::mkdir(s.Soubor("konfig").c_str(), 0700);
        ::mkdir(s.Soubor("dotfiles").c_str(), 0700);
        ASSERT_EQ(::symlink("vantrel.reg", s.Soubor("dotfiles/odkaz").c_str()), 0);
        if (p.existuje)
            s.Zapis(p.cil, "OK");
        const std::string cesta = s.Soubor("konfig/Vantrel.reg");
        ASSERT_EQ(::symlink(p.odkaz.c_str(), cesta.c_str()), 0);

        TSouborRegistru soubor(cesta);
        EXPECT_EQ(soubor.Zapis(Platny, Pridej), "");
        EXPECT_TRUE(JeOdkaz(cesta));
        EXPECT_EQ(PrectiSoubor(s.Soubor(p.cil)), p.existuje ? "OK+" : "OK");
        EXPECT_EQ(soubor.Precti().bajty, PrectiSoubor(s.Soubor(p.cil)));
        EXPECT_EQ(Soubory(s.Soubor("konfig")), std::set<std::string>{"Vantrel.reg"});
        const std::string jmeno = p.cil.substr(p.cil.find('/') + 1);
        EXPECT_EQ(Soubory(s.Soubor("dotfiles")), (std::set<std::string>{"odkaz", jmeno}));
    }

    // A bad target is kept aside beside itself; the link then leads to the fresh file.
    TDocasnaSlozka s;
    const std::string cil = s.Zapis("cil.reg", "spatny");
    const std::string cesta = s.Soubor("Vantrel.reg");
    ASSERT_EQ(::symlink("cil.reg", cesta.c_str()), 0);
    const std::string kam = TSouborRegistru(cesta).Zapis(Platny, Pridej);
    EXPECT_EQ(kam.rfind(cil + ".corrupt-", 0), 0u) << kam;
    EXPECT_EQ(PrectiSoubor(kam), "spatny");
    EXPECT_TRUE(JeOdkaz(cesta));
    EXPECT_EQ(PrectiSoubor(cil), "OK");
}

// The kernel follows 40 symbolic links in a name: a chain that long is read and written alike,
// one link more is refused both ways, with the reason.
TEST(SouborRegistru, AChainOfLinksIsFollowedAsFarAsTheKernelFollowsIt) {
    for (const int odkazu : {1, 40, 41}) {
        SCOPED_TRACE(std::to_string(odkazu) + " links");
        TDocasnaSlozka s;
        s.Zapis("cil.reg", "OK");
        for (int i = 1; i <= odkazu; ++i) {
            const std::string kam = i == odkazu ? "cil.reg" : "odkaz" + std::to_string(i + 1);
            ASSERT_EQ(::symlink(kam.c_str(), s.Soubor("odkaz" + std::to_string(i)).c_str()), 0);
        }
        const std::string cesta = s.Soubor("odkaz1");
        TSouborRegistru soubor(cesta);
        if (odkazu <= 40) {
            EXPECT_EQ(soubor.Precti().bajty, "OK");
            EXPECT_EQ(soubor.Zapis(Platny, Pridej), "");
            EXPECT_EQ(PrectiSoubor(s.Soubor("cil.reg")), "OK+");
            EXPECT_TRUE(JeOdkaz(cesta));
            continue;
        }
        const std::string duvod = ": too many levels of symbolic links";
        try {
            soubor.Precti();
            ADD_FAILURE() << "read";
        } catch (const ESouborRegistru& e) {
            EXPECT_EQ(e.Duvod(), cesta + " could not be read" + duvod);
        }
        try {
            soubor.Zapis(Platny, Pridej);
            ADD_FAILURE() << "written";
        } catch (const ESouborRegistru& e) {
            EXPECT_EQ(e.Duvod(), cesta + " could not be followed" + duvod);
        }
        EXPECT_EQ(PrectiSoubor(s.Soubor("cil.reg")), "OK");
    }
}

// A file too large to be ours, or one the caller cannot use, is kept aside (under a new name
// each time) as soon as it is found, and never overwritten.
TEST(SouborRegistru, AnUnusableFileIsKeptAside) {
    const struct {
        const char* popis;
        std::string obsah;
        TSouborRegistru::TStav stav;
    } pripady[] = {
        {"rejected", "spatny", TSouborRegistru::TStav::Precten},
        {"too large", "OK" + std::string(MaxVelikostRegistru, 'x'),
         TSouborRegistru::TStav::PrilisVelky},
    };
    TDocasnaSlozka s;
    const std::string cesta = s.Soubor("Vantrel.reg");
    TSouborRegistru soubor(cesta);
    std::set<std::string> odlozene;
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        s.Zapis("Vantrel.reg", p.obsah);
        EXPECT_EQ(soubor.Precti().stav, p.stav);
        const std::string kam = soubor.OdlozNeplatny(Platny);
        EXPECT_TRUE(odlozene.insert(kam).second) << kam;
        EXPECT_EQ(PrectiSoubor(kam), p.obsah);
        EXPECT_FALSE(Existuje(cesta));
        EXPECT_EQ(soubor.OdlozNeplatny(Platny), "") << "nothing left to keep aside";

        // Found by a commit instead: kept aside the same way, then a fresh file.
        s.Zapis("Vantrel.reg", p.obsah);
        std::string videno = "-";
        const std::string kam2 = soubor.Zapis(Platny, [&](const std::string* b, const auto& o) {
            videno = o;
            return Pridej(b, o);
        });
        EXPECT_EQ(videno, kam2);
        EXPECT_TRUE(odlozene.insert(kam2).second) << kam2;
        EXPECT_EQ(PrectiSoubor(kam2), p.obsah);
        EXPECT_EQ(PrectiSoubor(cesta), "OK");
        EXPECT_EQ(soubor.OdlozNeplatny(Platny), "") << "a valid file stays";
    }

    // No commit makes the file larger than the limit.
    EXPECT_THROW(soubor.Zapis(Platny,
                              [](const std::string*, const std::string&) {
                                  return "OK" + std::string(MaxVelikostRegistru, 'x');
                              }),
                 ESouborRegistru);
    EXPECT_EQ(PrectiSoubor(cesta), "OK");
}

// Another process holding the lock (or one that hangs) delays a commit by CekaniNaZamek at most.
TEST(SouborRegistru, ABusyLockIsWaitedForABoundedTime) {
    TDocasnaSlozka s;
    const std::string cesta = s.Zapis("Vantrel.reg", "OK");
    TSouborRegistru soubor(cesta);
    const int slozka = ::open(s.Cesta().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(slozka, LOCK_EX), 0);
    ::alarm(60); // a hang fails the test instead of stalling the run
    try {
        soubor.Zapis(Platny, Pridej);
        ADD_FAILURE() << "no error";
    } catch (const ESouborRegistru& e) {
        EXPECT_EQ(e.Duvod(), cesta + " is being written by another process");
    }
    ::alarm(0);
    EXPECT_EQ(PrectiSoubor(cesta), "OK");
    ::close(slozka);
    EXPECT_NO_THROW(soubor.Zapis(Platny, Pridej)) << "the lock given up was not kept";
    EXPECT_EQ(PrectiSoubor(cesta), "OK+");
    EXPECT_EQ(Soubory(s.Cesta()), std::set<std::string>{"Vantrel.reg"}) << "no lock file";
}

// A commit that crashed left its temporary file; the next commit removes it, but never one that
// another process holds or that this run may still be writing.
TEST(SouborRegistru, LeftoverTemporaryFilesAreRemoved) {
    const struct {
        const char* jmeno;
        bool stary, drzeny, zustane;
    } pripady[] = {
        {"Vantrel.reg.tmp-Ab12Cd", true, false, false},
        {"Vantrel.reg.tmp-drzen1", true, true, true},
        {"Vantrel.reg.tmp-novy00", false, false, true},
        {"Jiny.reg.tmp-Ab12Cd", true, false, true},
        {"Vantrel.reg.tmp-dlouhy7", true, false, true},
        {"Vantrel.reg.tmp-", true, false, true},
    };
    TDocasnaSlozka s;
    const std::string cesta = s.Zapis("Vantrel.reg", "OK");
    std::vector<int> drzene;
    for (const auto& p : pripady) {
        const std::string soubor = s.Zapis(p.jmeno, "zbytek");
        if (p.stary) {
            const timespec kdysi[2] = {{946684800, 0}, {946684800, 0}};
            ::utimensat(AT_FDCWD, soubor.c_str(), kdysi, 0);
        }
        if (p.drzeny) {
            drzene.push_back(::open(soubor.c_str(), O_RDONLY));
            ASSERT_EQ(::flock(drzene.back(), LOCK_EX), 0);
        }
    }
    TSouborRegistru(cesta).Zapis(Platny, Pridej);
    for (const auto& p : pripady)
        EXPECT_EQ(Existuje(s.Soubor(p.jmeno)), p.zustane) << p.jmeno;
    for (int fd : drzene)
        ::close(fd);
}

} // namespace
} // namespace vantrel
