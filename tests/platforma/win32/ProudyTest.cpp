#include "Win32Pomocne.h"
#include "platforma/Soubory.h"

#include <gtest/gtest.h>

// Pipes, devices and the standard streams through the layer's handles.
namespace vantrel::test {
namespace {

using namespace platforma;

TEST(Streams, APipeWhoseWriterHasGoneEndsLikeAFile) {
    HANDLE cteni, zapis;
    ASSERT_TRUE(CreatePipe(&cteni, &zapis, nullptr, 0));
    DWORD n;
    ASSERT_TRUE(WriteFile(zapis, "abc", 3, &n, nullptr));
    CloseHandle(zapis);
    const THandle h = reinterpret_cast<THandle>(cteni);
    EXPECT_EQ(DruhZarizeni(h), TDruhZarizeni::Roura);
    unsigned char blok[16];
    std::uint32_t precteno = 0;
    EXPECT_EQ(Cti(h, blok, sizeof blok, precteno), 0);
    EXPECT_EQ(precteno, 3u);
    EXPECT_EQ(Cti(h, blok, sizeof blok, precteno), 0);
    EXPECT_EQ(precteno, 0u);
    EXPECT_EQ(Zavri(h), 0);
}

TEST(Streams, TheKindOfEachHandleIsTheSystems) {
    TDocasnaSlozka slozka;
    struct TPripad {
        std::wstring jmeno;
        TDruhZarizeni druh;
    };
    const TPripad pripady[] = {
        {slozka.Zapis(L"soubor.txt", "x"), TDruhZarizeni::Disk},
        {L"NUL", TDruhZarizeni::Znakove},
    };
    for (const TPripad& p : pripady) {
        THandle h = ZadnyHandle;
        ASSERT_EQ(OtevriProZapis(C(p.jmeno), h), 0);
        EXPECT_EQ(DruhZarizeni(h), p.druh);
        EXPECT_EQ(Zavri(h), 0);
    }
}

// The handles are the layer's own: closing them leaves the process's streams open.
TEST(Streams, StandardStreamsAreDuplicatedAndReleasedOnTheirOwn) {
    HANDLE cteni, zapis;
    ASSERT_TRUE(CreatePipe(&cteni, &zapis, nullptr, 0));
    const HANDLE puvodniVstup = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE puvodniVystup = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_INPUT_HANDLE, cteni);
    SetStdHandle(STD_OUTPUT_HANDLE, zapis);

    THandle vstup = ZadnyHandle, vystup = ZadnyHandle;
    EXPECT_EQ(OtevriStandardniVstup(vstup), 0);
    EXPECT_EQ(OtevriStandardniVystup(vystup), 0);
    EXPECT_NE(vstup, reinterpret_cast<THandle>(cteni));
    const unsigned char text[] = {'o', 'k'};
    EXPECT_EQ(Zapis(vystup, text, 2), 0);
    EXPECT_EQ(Zavri(vystup), 0);
    EXPECT_EQ(Zavri(vstup), 0);

    DWORD n = 0;
    EXPECT_TRUE(WriteFile(zapis, "!", 1, &n, nullptr)) << "the process's own output was closed";
    char prijato[4] = {};
    EXPECT_TRUE(ReadFile(cteni, prijato, 3, &n, nullptr));
    EXPECT_EQ(std::string(prijato, n), "ok!");

    SetStdHandle(STD_INPUT_HANDLE, puvodniVstup);
    SetStdHandle(STD_OUTPUT_HANDLE, puvodniVystup);
    CloseHandle(cteni);
    CloseHandle(zapis);
}

} // namespace
} // namespace vantrel::test
