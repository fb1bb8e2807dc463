#include "PoruchyRegistru.h"
#include "platforma/Registr.h"

#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace vantrel {
namespace {

using test::TPoruchyRegistru;

const std::string kPuvodni = "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_CURRENT_USER\\Software\\Tarsk\\Vantrel]\n"
                             "\"Jazyk\"=\"CZ\"\n"
                             "\"Vlevo\"=dword:00000005\n\n";

std::string Precti(const std::string& cesta) {
    std::ifstream f(cesta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

int PocetPolozek(const std::string& slozka) {
    int pocet = 0;
    if (DIR* d = ::opendir(slozka.c_str())) {
        while (::readdir(d) != nullptr)
            ++pocet;
        ::closedir(d);
    }
    return pocet;
}

class RegistrFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        char vzor[] = "/tmp/vantrel-registr-XXXXXX";
        ASSERT_NE(::mkdtemp(vzor), nullptr);
        slozka_ = vzor;
        cesta_ = slozka_ + "/Vantrel.reg";
        std::ofstream(cesta_, std::ios::binary) << kPuvodni;
    }
    void TearDown() override {
        const std::string prikaz = "rm -rf '" + slozka_ + "'";
        EXPECT_EQ(std::system(prikaz.c_str()), 0);
    }

    std::string slozka_, cesta_;
};

// A full disk or a failing device while a value is committed: the write fails with the value's
// name and the reason, and the file keeps every byte it had; no temporary file is left behind.
TEST_F(RegistrFaultTest, AFailedCommitLeavesTheFileWhole) {
    const struct {
        const char* popis;
        TPoruchyRegistru::TDruh druh;
        int cislo;
        const char* duvod;
    } pripady[] = {
        {"disk full on write", TPoruchyRegistru::Write, ENOSPC, "no space left on device"},
        {"disk full on fsync", TPoruchyRegistru::Fsync, ENOSPC, "no space left on device"},
        {"device error on fsync", TPoruchyRegistru::Fsync, EIO, "input/output error"},
        {"close reports lost data", TPoruchyRegistru::Close, EIO, "input/output error"},
        {"rename refused", TPoruchyRegistru::Rename, EACCES, "permission denied"},
    };
    TRegistr registr(cesta_);
    ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, true));
    // The folder holds the file and, after the first write, its lock file.
    registr.WriteInteger("Vlevo", 5);
    const int polozek = PocetPolozek(slozka_);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        std::string chyba;
        {
            // The close of the store's read of the file comes first.
            TPoruchyRegistru poruchy(p.druh, p.druh == TPoruchyRegistru::Close ? 2 : 1, p.cislo);
            try {
                registr.WriteString("Jazyk", "EN");
            } catch (const EChybaRegistru& e) {
                chyba = e.what();
            }
            EXPECT_TRUE(poruchy.Nastala());
        }
        EXPECT_EQ(chyba, "Failed to set data for 'Jazyk': " + cesta_ +
                             " could not be written: " + p.duvod);
        EXPECT_EQ(Precti(cesta_), kPuvodni);
        EXPECT_EQ(PocetPolozek(slozka_), polozek) << "a temporary file was left";
        EXPECT_EQ(registr.ReadString("Jazyk"), "CZ");
        // The store goes on working once the disk does.
        registr.WriteString("Jazyk", "EN");
        EXPECT_EQ(registr.ReadString("Jazyk"), "EN");
        registr.WriteString("Jazyk", "CZ");
        ASSERT_EQ(Precti(cesta_), kPuvodni);
    }
}

// A file that cannot be read is never taken for a missing one: reading reports it, and a write
// does not replace it.
TEST_F(RegistrFaultTest, AFailedReadIsReportedAndTheFileKept) {
    {
        TPoruchyRegistru poruchy(TPoruchyRegistru::Read, 1, EIO);
        TRegistr registr(cesta_);
        ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, false));
        EXPECT_THROW(
            {
                try {
                    registr.ValueExists("Jazyk");
                } catch (const EChybaRegistru& e) {
                    EXPECT_EQ(e.what(), "Failed to get data for 'Jazyk': " + cesta_ +
                                            " could not be read: input/output error");
                    throw;
                }
            },
            EChybaRegistru);
    }
    {
        TRegistr registr(cesta_);
        ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, true));
        TPoruchyRegistru poruchy(TPoruchyRegistru::Read, 1, EIO);
        EXPECT_THROW(registr.WriteString("Jazyk", "EN"), EChybaRegistru);
    }
    EXPECT_EQ(Precti(cesta_), kPuvodni);
}

// A file system that keeps no locks (NFS refuses an exclusive one on a folder): the commit goes
// on without the lock, whole by its rename.
TEST_F(RegistrFaultTest, AFileSystemWithoutLocksStillTakesWrites) {
    TRegistr registr(cesta_);
    ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, true));
    for (int cislo : {ENOLCK, EBADF}) {
        TPoruchyRegistru poruchy(TPoruchyRegistru::Flock, 1, cislo);
        registr.WriteString("Jazyk", cislo == ENOLCK ? "EN" : "CZ");
        EXPECT_TRUE(poruchy.Nastala());
    }
    EXPECT_EQ(Precti(cesta_), kPuvodni);
}

} // namespace
} // namespace vantrel
