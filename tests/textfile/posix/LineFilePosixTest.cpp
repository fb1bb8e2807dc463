#include "../../BezObchazeniPrav.h"
#include "../Pomocne.h"
#include "../Zaznam.h"
#include "textfile/LineFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vantrel {
namespace {

using test::TDocasnaSlozka;
using test::TZaznam;
using test::U16;
using test::Vyvolana;

TEST(LineFileOpening, UnreadableFile) {
    TDocasnaSlozka slozka;
    const std::string cesta = slozka.Zapis("tajne", "x");
    chmod(cesta.c_str(), 0);
    test::TBezObchazeniPrav bezPrav;
    TZaznam z(cesta);
    EXPECT_EQ(OpenForReading(z.f), 5);
    EXPECT_STREQ(EInOutError(TakeIoStatus()).what(), "File access denied");
}

TEST(LineFileWriting, FullDevice) {
    TZaznam z("/dev/full");
    ASSERT_EQ(OpenForWriting(z.f), 0);
    WriteText(z.f, U16("line"));
    WriteLineEnd(z.f); // a character device gets every line at once
    EXPECT_EQ(Vyvolana().kod, 112);
    EXPECT_EQ(CloseLineFile(z.f), 0);
}

TEST(LineFileWriting, FailedFinalWriteOutStillReleasesTheHandle) {
    const int otevrenychPred = test::PocetOtevrenychSouboru();
    {
        TLineFile f;
        AssignLineFile(f, U16("/dev/full"));
        ASSERT_EQ(OpenForWriting(f), 0);
        f.FlushProc = [](TLineFile&) { return 0; }; // keep the bytes until the close
        WriteText(f, U16("abc"));
        EXPECT_EQ(CloseLineFile(f), 112);
        EXPECT_EQ(f.Mode, ModeClosed);
        EXPECT_EQ(TakeIoStatus(), 112);
    }
    EXPECT_EQ(test::PocetOtevrenychSouboru(), otevrenychPred);
}

TEST(LineFileOpening, ANameTooLongForTheFileSystem) {
    TDocasnaSlozka slozka;
    TZaznam z(slozka.Soubor(std::string(300, 'n')));
    EXPECT_EQ(OpenForReading(z.f), 206);
    EXPECT_EQ(Vyvolana().zprava, "I/O error 206");
}

} // namespace
} // namespace vantrel
