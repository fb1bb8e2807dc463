#include "Win32Pomocne.h"

#include <gtest/gtest.h>
#include <shellapi.h>

// The test program is also the second process of the sharing tests (TDrzitel).
int main(int argc, char** argv) {
    int pocet = 0;
    wchar_t** argumenty = CommandLineToArgvW(GetCommandLineW(), &pocet);
    int kod = 0;
    if (argumenty != nullptr && vantrel::test::DrzSoubor(pocet, argumenty, kod))
        return kod;
    LocalFree(argumenty);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
