#include "Win32Pomocne.h"
#include "platforma/Registr.h"
#include "platforma/Sledovani.h"
#include "platforma/Soubory.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

// The watch seam on Windows: a call made to fail fails as the system would have failed it, a
// failed step leaves the files as they were, and every handle opened is released.
namespace vantrel::test {
namespace {

using namespace platforma;

// Fails the first call of one kind as told, and keeps count of the handles that are open.
class TJednaPorucha : public TSledovani {
public:
    TJednaPorucha(TVolani druh, TZasah zasah) : druh_(druh), zasah_(zasah) { Sleduj(this); }
    ~TJednaPorucha() override { Sleduj(nullptr); }
    TZasah Pred(TVolani druh, THandle, const TCesta*) override {
        if (druh != druh_ || pouzita_)
            return {};
        pouzita_ = true;
        return zasah_;
    }
    void Po(TVolani druh, THandle handle, const TCesta*, const unsigned char*,
            std::size_t) override {
        if (druh == TVolani::Otevreni)
            otevrene.insert(handle);
        if (druh == TVolani::Zavreni)
            otevrene.erase(handle);
    }
    std::set<THandle> otevrene;

private:
    TVolani druh_;
    TZasah zasah_;
    bool pouzita_ = false;
};

struct TPripad {
    const char* popis;
    TVolani druh;
    TZasah zasah;
    // Runs the steps on a file holding "puvodni"; returns the layer's error number.
    std::function<int(const std::wstring& soubor)> kroky;
    int kod;
    const char* obsah; // of the file afterwards
};

int ZapisVse(const std::wstring& soubor) {
    THandle h = ZadnyHandle;
    if (int kod = OtevriProZapis(C(soubor), h))
        return kod;
    const unsigned char text[] = "novy obsah";
    const int kod = Zapis(h, text, sizeof text - 1);
    const int zavreni = Zavri(h);
    return kod != 0 ? kod : zavreni;
}

int CtiPulku(const std::wstring& soubor) {
    THandle h = ZadnyHandle;
    if (int kod = OtevriProCteni(C(soubor), h))
        return kod;
    unsigned char blok[8];
    std::uint32_t precteno = 0;
    const int kod = Cti(h, blok, sizeof blok, precteno);
    Zavri(h);
    return kod != 0 ? kod : precteno == 4 ? 0 : -1;
}

const TPripad Pripady[] = {
    {"a refused open creates nothing",
     TVolani::Otevreni,
     {TPorucha::Chyba, 32},
     ZapisVse,
     32,
     "puvodni"},
    {"an output that cannot be emptied keeps its bytes",
     TVolani::Zkraceni,
     {TPorucha::Chyba, 1224},
     ZapisVse,
     1224,
     "puvodni"},
    {"a failed write is reported", TVolani::Zapis, {TPorucha::Chyba, 112}, ZapisVse, 112, ""},
    {"a short write is continued",
     TVolani::Zapis,
     {TPorucha::Kratce, 0},
     ZapisVse,
     0,
     "novy obsah"},
    {"a short read gives part of the bytes",
     TVolani::Cteni,
     {TPorucha::Kratce, 0},
     CtiPulku,
     0,
     "puvodni"},
    {"a failed close still releases the handle",
     TVolani::Zavreni,
     {TPorucha::Chyba, 6},
     ZapisVse,
     6,
     "novy obsah"},
};

TEST(Watch, AFailedCallLeavesTheFileAsTheSystemWouldAndReleasesEveryHandle) {
    for (const TPripad& p : Pripady) {
        SCOPED_TRACE(p.popis);
        TDocasnaSlozka slozka;
        const std::wstring soubor = slozka.Zapis(L"soubor.txt", "puvodni");
        TJednaPorucha porucha(p.druh, p.zasah);
        EXPECT_EQ(p.kroky(soubor), p.kod);
        EXPECT_EQ(PrectiSoubor(soubor), p.obsah);
        EXPECT_TRUE(porucha.otevrene.empty());
        // The handle is truly closed: the file can be deleted, which an open handle forbids.
        EXPECT_TRUE(DeleteFileW(soubor.c_str())) << GetLastError();
    }
}

TEST(Watch, AFailedRegistryWriteNamesTheValueAndStoresNothing) {
    const std::string koren =
        "Software\\VantrelTest\\" + std::to_string(GetCurrentProcessId()) + "-sledovani";
    TRegistr registr(koren);
    ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, true));
    {
        TJednaPorucha porucha(TVolani::Nastaveni, {TPorucha::Chyba, 5});
        try {
            registr.WriteString("Jazyk", "CZ");
            ADD_FAILURE() << "no error";
        } catch (const EChybaRegistru& e) {
            EXPECT_STREQ(e.what(),
                         "Failed to set data for 'Jazyk': permission denied, or not a file");
        }
    }
    EXPECT_FALSE(registr.ValueExists("Jazyk"));
    registr.CloseKey();
    RegDeleteTreeW(HKEY_CURRENT_USER, std::wstring(koren.begin(), koren.end()).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VantrelTest");
}

} // namespace
} // namespace vantrel::test
