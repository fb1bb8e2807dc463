#include "../../textfile/Pomocne.h"
#include "platforma/Chyby.h"
#include "platforma/posix/Posix.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace vantrel::platforma {
namespace {

// Each errno the system gives becomes the Windows number that means the same, and back.
TEST(KodChyby, EveryErrnoHasTheWindowsNumberOfItsMeaning) {
    test::TDocasnaSlozka slozka;
    const struct {
        int cislo;
        std::string cesta;
        int kod;
        bool zpet; // the errno that stands for the number is this one
    } pripady[] = {
        {ENOENT, slozka.Soubor("chybi"), ChybaNeniSoubor, true},
        {ENOENT, slozka.Soubor("chybi/soubor"), ChybaNeniCesta, false},
        {ENOENT, "", ChybaNeniSoubor, true},
        {ENOTDIR, "", ChybaNeniCesta, true},
        {EACCES, "", ChybaPristupu, true},
        {EPERM, "", ChybaPristupu, false},
        {EISDIR, "", ChybaPristupu, false},
        {EROFS, "", ChybaPristupu, false},
        {EMFILE, "", ChybaMnohoSouboru, true},
        {ENFILE, "", ChybaMnohoSouboru, false},
        {EBADF, "", ChybaHandle, true},
        {ENOMEM, "", ChybaPameti, true},
        {ETXTBSY, "", ChybaSdileni, false},
        {EEXIST, "", ChybaSouborExistuje, true},
        {EINVAL, "", ChybaParametru, true},
        {ENOSPC, "", ChybaMista, true},
        {EDQUOT, "", ChybaMista, false},
        {EBUSY, "", ChybaZaneprazdneno, true},
        {ENAMETOOLONG, "", ChybaDlouhehoJmena, true},
        {EFBIG, "", ChybaVelikosti, true},
        {EPIPE, "", ChybaZavirani, true},
        {EIO, "", ChybaZarizeni, true},
        {ELOOP, "", ChybaOdkazu, true},
        {ENOLCK, "", ChybaNeznama + ENOLCK, true},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(std::to_string(p.cislo) + " " + p.cesta);
        EXPECT_EQ(posix::KodChyby(p.cislo, p.cesta), p.kod);
        if (p.zpet) {
            EXPECT_EQ(posix::ErrnoChyby(p.kod), p.cislo);
        }
    }
    // No errno takes a number that has a meaning of its own.
    for (int cislo = 1; cislo < 134; ++cislo) {
        const int kod = posix::KodChyby(cislo);
        EXPECT_TRUE(kod > ChybaNeznama || PopisChyby(kod) != "") << cislo;
    }
}

} // namespace
} // namespace vantrel::platforma
