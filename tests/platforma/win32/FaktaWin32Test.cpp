#include "Win32Pomocne.h"
#include "platforma/FaktaSouboru.h"
#include "platforma/Soubory.h"

#include <gtest/gtest.h>
#include <vector>

// What Windows tells of a file by its name, of the program itself, and of paths longer than
// MAX_PATH.
namespace vantrel::test {
namespace {

using namespace platforma;

// 2021-07-01 12:34:56.789 UTC as a FILETIME and as seconds since 1970.
constexpr std::int64_t Cas1970 = 1625142896;
constexpr std::uint64_t Cas1601 = (Cas1970 + 11644473600) * 10000000 + 7890000;

TEST(FileFacts, AFilesEntryGivesItsSizeTimesAndKind) {
    TDocasnaSlozka slozka;
    const std::wstring soubor = slozka.Zapis(L"zprava.txt", std::string(1000, 'x'));
    const HANDLE h =
        CreateFileW(soubor.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME cas{static_cast<DWORD>(Cas1601), static_cast<DWORD>(Cas1601 >> 32)};
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &cas));
    CloseHandle(h);

    TFaktaSouboru fakta;
    ASSERT_TRUE(FaktaSouboru(C(soubor), fakta));
    EXPECT_EQ(fakta.velikost, 1000);
    EXPECT_EQ(fakta.zmena.sekundy, Cas1970);
    EXPECT_EQ(fakta.zmena.milisekundy, 789);
    EXPECT_FALSE(fakta.slozka);
    ASSERT_TRUE(FaktaSouboru(C(slozka.Cesta()), fakta));
    EXPECT_TRUE(fakta.slozka);
    EXPECT_TRUE(FaktaSouboru(u"C:\\", fakta));
    EXPECT_TRUE(fakta.slozka);
    EXPECT_FALSE(FaktaSouboru(C(slozka.Soubor(L"chybi.txt")), fakta));
    EXPECT_FALSE(FaktaSouboru(C(slozka.Soubor(L"*.txt")), fakta));
}

TEST(FileFacts, TheTypeNameIsTheShellsAndEmptyForAMissingFile) {
    TDocasnaSlozka slozka;
    const std::u16string text = TypSouboru(C(slozka.Zapis(L"a.txt", "")));
    const std::u16string jiny = TypSouboru(C(slozka.Zapis(L"a.vantrelneznamy", "")));
    EXPECT_FALSE(text.empty());
    EXPECT_FALSE(jiny.empty());
    EXPECT_NE(text, jiny);
    EXPECT_LE(text.size(), 80u);
    EXPECT_FALSE(TypSouboru(C(slozka.Cesta())).empty());
    EXPECT_TRUE(TypSouboru(C(slozka.Soubor(L"chybi.txt"))).empty());
}

// The zone is the test's environment's (TZ=Europe/Prague): summer time in July, not in January,
// whatever the season now.
TEST(FileFacts, LocalTimeUsesTheOffsetInForceAtThatTime) {
    struct TPripad {
        std::int64_t sekundy;
        TKalendar ocekavano;
    };
    const TPripad pripady[] = {
        {Cas1970, {2021, 7, 1, 14, 34, 56, 789}},
        {1609504496, {2021, 1, 1, 13, 34, 56, 789}},
    };
    for (const TPripad& p : pripady) {
        TKalendar k;
        ASSERT_TRUE(MistniCas({p.sekundy, 789}, k));
        EXPECT_EQ(
            std::vector<int>({k.rok, k.mesic, k.den, k.hodina, k.minuta, k.sekunda, k.milisekunda}),
            std::vector<int>({p.ocekavano.rok, p.ocekavano.mesic, p.ocekavano.den,
                              p.ocekavano.hodina, p.ocekavano.minuta, p.ocekavano.sekunda,
                              p.ocekavano.milisekunda}));
    }
    TKalendar k;
    EXPECT_FALSE(MistniCas({-20000000000, 0}, k));
}

TEST(FileFacts, TheVersionRecordIsReadFromTheRunningProgram) {
    const TCesta program = CestaProgramu();
    ASSERT_FALSE(program.empty());
    TCislaVerze verze{};
    ASSERT_TRUE(VerzeSouboru(program, verze));
    EXPECT_EQ(verze, (TCislaVerze{3, 0, 0, 1}));

    // The texts beside the numbers, as Windows' file properties show them.
    const std::wstring jmeno(reinterpret_cast<const wchar_t*>(program.c_str()));
    std::vector<unsigned char> data(GetFileVersionInfoSizeW(jmeno.c_str(), nullptr));
    ASSERT_TRUE(
        GetFileVersionInfoW(jmeno.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    for (const auto& [klic, hodnota] :
         {std::pair{L"ProductName", L"Vantrel"}, std::pair{L"FileVersion", L"3.0.0.1"},
          std::pair{L"LegalCopyright", L"Copyright (c) 2026 Tarsk"}}) {
        void* text = nullptr;
        UINT delka = 0;
        ASSERT_TRUE(VerQueryValueW(data.data(),
                                   (std::wstring(L"\\StringFileInfo\\040904B0\\") + klic).c_str(),
                                   &text, &delka));
        EXPECT_STREQ(static_cast<const wchar_t*>(text), hodnota);
    }

    TDocasnaSlozka slozka;
    EXPECT_FALSE(VerzeSouboru(C(slozka.Zapis(L"ne.exe", "MZ nothing more")), verze));
    EXPECT_FALSE(VerzeSouboru(C(slozka.Soubor(L"chybi.exe")), verze));
}

TEST(LongPaths, AFileDeeperThanMaxPathIsWrittenReadAndExamined) {
    TDocasnaSlozka slozka;
    std::wstring cesta = slozka.Cesta();
    while (cesta.size() < 400) {
        cesta += L"\\" + std::wstring(60, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + cesta).c_str(), nullptr)) << GetLastError();
    }
    const std::wstring soubor = cesta + L"\\dlouhý.txt";
    const std::string obsah = "přes MAX_PATH\r\n";

    THandle h = ZadnyHandle;
    ASSERT_EQ(OtevriProZapis(C(soubor), h), 0);
    ASSERT_EQ(Zapis(h, reinterpret_cast<const unsigned char*>(obsah.data()),
                    static_cast<std::uint32_t>(obsah.size())),
              0);
    ASSERT_EQ(Zavri(h), 0);
    EXPECT_EQ(PrectiSoubor(soubor), obsah);

    ASSERT_EQ(OtevriProCteni(C(soubor), h), 0);
    unsigned char blok[64];
    std::uint32_t precteno = 0;
    ASSERT_EQ(Cti(h, blok, sizeof blok, precteno), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(blok), precteno), obsah);
    TIdentita a, b;
    EXPECT_TRUE(Identita(C(soubor), a));
    EXPECT_TRUE(Identita(C(L"\\\\?\\" + soubor), b));
    EXPECT_TRUE(a == b);
    THandle vystup = ZadnyHandle;
    EXPECT_EQ(OtevriProZapis(C(soubor), vystup), 32);
    EXPECT_EQ(Zavri(h), 0);

    TFaktaSouboru fakta;
    ASSERT_TRUE(FaktaSouboru(C(soubor), fakta));
    EXPECT_EQ(fakta.velikost, static_cast<std::int64_t>(obsah.size()));
    EXPECT_FALSE(TypSouboru(C(soubor)).empty());
    EXPECT_TRUE(StejneMisto(C(cesta + L"\\nový.txt"), C(L"\\\\?\\" + cesta + L"\\NOVÝ.txt")));
}

} // namespace
} // namespace vantrel::test
