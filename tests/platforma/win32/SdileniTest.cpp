#include "Win32Pomocne.h"
#include "platforma/Soubory.h"

#include <gtest/gtest.h>

// The sharing rule is the system's own: another process that holds a file in a way our share
// mode does not allow makes the open fail with ERROR_SHARING_VIOLATION, and a refused output is
// left as it was.
namespace vantrel::test {
namespace {

using namespace platforma;

enum class TNase { Vstup, Vystup };

struct TPripad {
    const char* popis;
    DWORD pristup; // of the other process
    DWORD sdileni;
    TNase nase;
    int kod;
};

const TPripad Pripady[] = {
    {"an input that a log writer holds open for writing", GENERIC_WRITE,
     FILE_SHARE_READ | FILE_SHARE_WRITE, TNase::Vstup, 32},
    {"an input that another join writes as its output", GENERIC_WRITE, FILE_SHARE_READ,
     TNase::Vstup, 32},
    {"an output that another join reads as its input", GENERIC_READ, FILE_SHARE_READ, TNase::Vystup,
     32},
    {"an input that another join reads too", GENERIC_READ, FILE_SHARE_READ, TNase::Vstup, 0},
    {"an output whose reader lets others write", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
     TNase::Vystup, 0},
    {"an input whose only other opener asked for no access", 0, 0, TNase::Vstup, 0},
};

TEST(Sharing, AnotherProcessHoldingTheFileIsRefusedAsTheShareModesSay) {
    const std::string obsah = "line 1\r\nline 2\r\n";
    for (const TPripad& p : Pripady) {
        SCOPED_TRACE(p.popis);
        TDocasnaSlozka slozka;
        const std::wstring soubor = slozka.Zapis(L"sdileny.txt", obsah);
        TDrzitel drzitel(soubor, p.pristup, p.sdileni);
        ASSERT_EQ(drzitel.Chyba(), 0u);

        THandle h = ZadnyHandle;
        const int kod =
            p.nase == TNase::Vstup ? OtevriProCteni(C(soubor), h) : OtevriProZapis(C(soubor), h);
        EXPECT_EQ(kod, p.kod);
        if (kod == 0) {
            EXPECT_EQ(Zavri(h), 0);
        } else if (p.nase == TNase::Vystup) {
            EXPECT_EQ(PrectiSoubor(soubor), obsah);
        }
    }
}

// The other way round: what our handles allow another process to do.
TEST(Sharing, OurHandlesLetOthersReadButNeverWrite) {
    struct TNasPripad {
        const char* popis;
        TNase nase;
        DWORD pristup;
        DWORD ocekavano;
    };
    const TNasPripad pripady[] = {
        {"a reader beside our input", TNase::Vstup, GENERIC_READ, 0},
        {"a writer beside our input", TNase::Vstup, GENERIC_WRITE, ERROR_SHARING_VIOLATION},
        {"a reader beside our output", TNase::Vystup, GENERIC_READ, 0},
        {"a writer beside our output", TNase::Vystup, GENERIC_WRITE, ERROR_SHARING_VIOLATION},
    };
    for (const TNasPripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        TDocasnaSlozka slozka;
        const std::wstring soubor = slozka.Zapis(L"nas.txt", "x");
        THandle h = ZadnyHandle;
        ASSERT_EQ(p.nase == TNase::Vstup ? OtevriProCteni(C(soubor), h)
                                         : OtevriProZapis(C(soubor), h),
                  0);
        {
            TDrzitel drzitel(soubor, p.pristup, FILE_SHARE_READ | FILE_SHARE_WRITE);
            EXPECT_EQ(drzitel.Chyba(), p.ocekavano);
        }
        EXPECT_EQ(Zavri(h), 0);
    }
}

} // namespace
} // namespace vantrel::test
