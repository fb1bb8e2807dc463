#include "textfile/LineFile.h"

#include "Pomocne.h"
#include "Zaznam.h"

#include <gtest/gtest.h>
#include <memory>

namespace vantrel {
namespace {

using test::Bajty;
using test::Citelne;
using test::TDocasnaSlozka;
using test::TZaznam;
using test::U16;
using test::Vyvolana;

// Every line of a file as the join reads it, each turned back into bytes.
std::vector<std::string> Radky(const std::string& cesta, std::uint32_t kapacita) {
    TZaznam z(cesta, kapacita);
    OpenForReading(z.f);
    CheckIoStatus();
    std::vector<std::string> radky;
    while (!CheckIoStatus(AtEnd(z.f))) {
        std::u16string text;
        ReadLineText(z.f, text);
        SkipLine(z.f);
        CheckIoStatus();
        radky.push_back(Bajty(text));
    }
    CloseLineFile(z.f);
    CheckIoStatus();
    return radky;
}

const std::uint32_t Kapacity[] = {1, 2, 3, 7, 127, 128, 129, 255, 256, 65536};

TEST(LineFileReading, LinesAtEveryBufferSize) {
    const std::string dlouha255(255, 'a'), dlouha256(256, 'b'), dlouha1000(1000, 'c');
    struct {
        const char* nazev;
        std::string vstup;
        std::vector<std::string> radky;
    } pripady[] = {
        {"empty file", "", {}},
        {"no line end after the last line", "a\nb", {"a", "b"}},
        {"CR LF line ends", "a\r\nb\r\n", {"a", "b"}},
        {"a lone CR ends nothing", "a\rb\r\n", {"ab"}},
        {"CR CR LF", "a\r\r\nb", {"a", "b"}},
        {"two LF bytes", "\n\n", {"", ""}},
        {"a lone CR as the last byte", "abc\r", {"abc"}},
        {"only a CR", "\r", {""}},
        {"CRs after the last LF make a line", "abc\n\r\r", {"abc", ""}},
        {"LF CR LF", "\n\r\n", {"", ""}},
        {"255 bytes", dlouha255 + "\n", {dlouha255}},
        {"256 bytes", dlouha256 + "\r\n", {dlouha256}},
        {"1000 bytes without line end", dlouha1000, {dlouha1000}},
        {"byte 26 ends the file",
         "abc\x1a"
         "def\r\nghi",
         {"abc"}},
        {"byte 26 first in a line",
         "abc\r\n\x1a"
         "def\r\n",
         {"abc"}},
        {"byte 26 first in the file", std::string("\x1a") + "abc", {}},
        {"CR before byte 26",
         "ab\r\x1a"
         "cd",
         {"ab"}},
        {"zero bytes are text",
         std::string("a\0b\n\0", 5),
         {std::string("a\0b", 3), std::string(1, '\0')}},
        {"byte order mark is text", "\xEF\xBB\xBFx\n", {"\xEF\xBB\xBFx"}},
        {"UTF-16 is read as bytes",
         std::string("a\0\r\0\n\0b\0", 8),
         {std::string("a\0\0", 3), std::string("\0b\0", 3)}},
        {"undecodable bytes survive", "\xFF\xFE\xC3\n\xE2\x82", {"\xFF\xFE\xC3", "\xE2\x82"}},
    };
    TDocasnaSlozka slozka;
    for (const auto& pripad : pripady) {
        const std::string cesta = slozka.Zapis("vstup", pripad.vstup);
        for (std::uint32_t kapacita : Kapacity) {
            SCOPED_TRACE(std::string(pripad.nazev) + ", buffer " + std::to_string(kapacita));
            EXPECT_EQ(Radky(cesta, kapacita), pripad.radky);
        }
    }
}

TEST(LineFileReading, CrAtTheEndOfTheBufferLooksIntoTheNextBlock) {
    TDocasnaSlozka slozka;
    const std::string pred(127, 'p');
    const std::string cesta = slozka.Zapis("vstup", pred + "\rx\n");
    EXPECT_EQ(Radky(cesta, 128), std::vector<std::string>{pred + "x"});
    const std::string cesta2 = slozka.Zapis("vstup2", pred + "\r\nx\n");
    EXPECT_EQ(Radky(cesta2, 128), (std::vector<std::string>{pred, "x"}));
}

TEST(LineFileReading, Byte26EndsTheFileWhereverItStands) {
    TDocasnaSlozka slozka;
    for (std::size_t kde = 0; kde < 300; ++kde) {
        std::string vstup;
        for (std::size_t i = 0; i < kde; ++i)
            vstup.push_back(i % 40 == 39 ? '\n' : static_cast<char>('a' + i % 26));
        std::string ocekavane = vstup;
        vstup += "\x1a"
                 "never\r\nread\n";
        const std::string cesta = slozka.Zapis("vstup", vstup);
        std::string precteno;
        for (const auto& radek : Radky(cesta, 128))
            precteno += radek + "\n";
        SCOPED_TRACE("26 at " + std::to_string(kde));
        if (!ocekavane.empty() && ocekavane.back() != '\n')
            ocekavane += "\n";
        EXPECT_EQ(precteno, ocekavane);
    }
}

TEST(LineFileReading, EndOfFileStaysMet) {
    TDocasnaSlozka slozka;
    TZaznam z(slozka.Zapis("vstup", "a"));
    OpenForReading(z.f);
    std::u16string text;
    ReadLineText(z.f, text);
    SkipLine(z.f);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(AtEnd(z.f));
        SkipLine(z.f);
        ReadLineText(z.f, text);
        EXPECT_TRUE(text.empty());
    }
    EXPECT_EQ(TakeIoStatus(), 0);
}

TEST(LineFileReading, WithoutCrLfModeByte26IsText) {
    TDocasnaSlozka slozka;
    TZaznam z(slozka.Zapis("vstup", "a\x1a"
                                    "b\r\n"));
    z.f.Flags = 0;
    OpenForReading(z.f);
    std::u16string text;
    ReadLineText(z.f, text);
    EXPECT_EQ(Bajty(text), "a\x1a"
                           "b");
}

std::uint64_t Velikost(const std::string& cesta) {
    struct stat udaje;
    return ::stat(cesta.c_str(), &udaje) == 0 ? static_cast<std::uint64_t>(udaje.st_size) : 0;
}

TEST(LineFileWriting, GoesOutInWholeBuffers) {
    TDocasnaSlozka slozka;
    const std::string cesta = slozka.Soubor("vystup");
    TZaznam z(cesta);
    OpenForWriting(z.f);
    CheckIoStatus();
    WriteText(z.f, U16(std::string(127, 'x')));
    EXPECT_EQ(Velikost(cesta), 0u);
    WriteText(z.f, U16("y")); // exactly full: written at once
    EXPECT_EQ(Velikost(cesta), 128u);
    WriteText(z.f, U16(std::string(300, 'z')));
    EXPECT_EQ(Velikost(cesta), 384u);
    WriteLineEnd(z.f); // a line end does not force a write on a disk file
    EXPECT_EQ(Velikost(cesta), 384u);
    CloseLineFile(z.f);
    CheckIoStatus();
    EXPECT_EQ(Velikost(cesta), 430u);
}

TEST(LineFileWriting, EmptyTextAndLineEnd) {
    TDocasnaSlozka slozka;
    const std::string cesta = slozka.Soubor("vystup");
    {
        TZaznam z(cesta);
        OpenForWriting(z.f);
        WriteText(z.f, {});
        WriteLineEnd(z.f);
        CloseLineFile(z.f);
        CheckIoStatus();
    }
    EXPECT_EQ(test::PrectiSoubor(cesta), "\r\n");
    {
        TZaznam z(cesta);
        z.f.Flags = 0;
        OpenForWriting(z.f);
        WriteText(z.f, U16(std::string("a\0b", 3)));
        WriteLineEnd(z.f);
        CloseLineFile(z.f);
        CheckIoStatus();
    }
    EXPECT_EQ(test::PrectiSoubor(cesta), std::string("a\0b\n", 4));
}

TEST(LineFileWriting, OpeningForWritingEmptiesTheFile) {
    TDocasnaSlozka slozka;
    const std::string cesta = slozka.Zapis("vystup", "old contents");
    TZaznam z(cesta);
    OpenForWriting(z.f);
    CloseLineFile(z.f);
    CheckIoStatus();
    EXPECT_EQ(test::PrectiSoubor(cesta), "");
}

TEST(IoStatus, ModeErrors) {
    TDocasnaSlozka slozka;
    {
        TLineFile f; // never assigned
        OpenForReading(f);
        EXPECT_EQ(Vyvolana().kod, 102);
    }
    {
        TZaznam z(slozka.Soubor("nikdy"));
        EXPECT_EQ(CloseLineFile(z.f), 103);
        auto chyba = Vyvolana();
        EXPECT_EQ(chyba.kod, 103);
        EXPECT_EQ(chyba.zprava, "I/O error 103");
    }
    {
        TZaznam z(slozka.Soubor("vystup"));
        OpenForWriting(z.f);
        std::u16string text;
        ReadLineText(z.f, text);
        EXPECT_EQ(Vyvolana().kod, 104);
        EXPECT_TRUE(AtEnd(z.f));
        EXPECT_EQ(Vyvolana().kod, 104);
    }
    {
        TZaznam z(slozka.Zapis("vstup", "x"));
        OpenForReading(z.f);
        WriteText(z.f, U16("a"));
        EXPECT_EQ(Vyvolana().kod, 105);
        WriteLineEnd(z.f); // on an input the flush step does nothing
        EXPECT_EQ(Vyvolana().kod, 105);
    }
    {
        TZaznam z(slozka.Soubor("zavreny"));
        WriteLineEnd(z.f);
        EXPECT_EQ(Vyvolana().kod, 103);
    }
}

TEST(IoStatus, StaysPendingUntilTaken) {
    TDocasnaSlozka slozka;
    TZaznam chybny(slozka.Soubor("chybi"));
    OpenForReading(chybny.f);
    TZaznam dobry(slozka.Zapis("vstup", "a\nb\n"));
    OpenForReading(dobry.f);
    std::u16string text;
    ReadLineText(dobry.f, text);
    SkipLine(dobry.f);
    EXPECT_EQ(Bajty(text), "a");
    // The result of the operation passes through the check that raises.
    EXPECT_THROW(CheckIoStatus(AtEnd(dobry.f)), EInOutError);
    EXPECT_FALSE(CheckIoStatus(AtEnd(dobry.f)));
    SetIoStatus(7);
    EXPECT_EQ(TakeIoStatus(), 7);
    EXPECT_EQ(TakeIoStatus(), 0);
    EXPECT_NO_THROW(CheckIoStatus());
}

TEST(IoStatus, Messages) {
    const struct {
        int kod;
        const char* zprava;
    } tabulka[] = {{2, "File not found"},      {4, "Too many open files"},
                   {5, "File access denied"},  {100, "Read beyond end of file"},
                   {101, "Disk full"},         {106, "Invalid numeric input"},
                   {32, "I/O error 32"},       {112, "I/O error 112"},
                   {10005, "I/O error 10005"}, {-1, "I/O error -1"}};
    for (const auto& radek : tabulka)
        EXPECT_STREQ(EInOutError(radek.kod).what(), radek.zprava);
    EXPECT_STREQ(EInOutError(3, U16("/a/b")).what(), "Invalid file name - /a/b");
}

TEST(LineFileOpening, Failures) {
    TDocasnaSlozka slozka;
    const std::string soubor = slozka.Zapis("soubor", "x");
    const struct {
        const char* nazev;
        std::string cesta;
        bool proZapis;
        int kod;
    } pripady[] = {
        {"missing file", slozka.Soubor("chybi"), false, 2},
        {"missing folder on the way", slozka.Soubor("chybi/soubor"), false, 3},
        {"missing folder on the way, writing", slozka.Soubor("chybi/soubor"), true, 3},
        {"a file on the way", soubor + "/dal", false, 3},
        {"a folder as input", slozka.Cesta(), false, 5},
        {"a folder as output", slozka.Cesta(), true, 5},
        {"empty path", "", false, 3},
    };
    const int otevrenychPred = test::PocetOtevrenychSouboru();
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.nazev);
        TZaznam z(pripad.cesta);
        const int kod = pripad.proZapis ? OpenForWriting(z.f) : OpenForReading(z.f);
        EXPECT_EQ(kod, pripad.kod);
        EXPECT_EQ(z.f.Mode, ModeClosed);
        auto chyba = Vyvolana();
        EXPECT_EQ(chyba.kod, pripad.kod);
        if (pripad.kod == 3) {
            EXPECT_EQ(chyba.zprava, "Invalid file name - " + pripad.cesta);
        }
    }
    EXPECT_EQ(test::PocetOtevrenychSouboru(), otevrenychPred);
}

TEST(LineFileOpening, PathWithZeroCharacterIsRefused) {
    TDocasnaSlozka slozka;
    slozka.Zapis("a", "x");
    TZaznam z(slozka.Cesta() + "/a");
    z.f.Path.push_back(u'\0');
    z.f.Path += u"b";
    EXPECT_EQ(OpenForReading(z.f), 3);
    TakeIoStatus();
}

TEST(LineFileSharing, AFileOpenForWritingCannotBeRead) {
    TDocasnaSlozka slozka;
    const std::string cesta = slozka.Soubor("sdileny");
    TZaznam vystup(cesta);
    OpenForWriting(vystup.f);
    CheckIoStatus();
    TZaznam vstup(cesta);
    EXPECT_EQ(OpenForReading(vstup.f), 32);
    EXPECT_STREQ(EInOutError(TakeIoStatus()).what(), "I/O error 32");
    // Other readers may read alongside each other.
    CloseLineFile(vystup.f);
    TZaznam ctenar1(cesta), ctenar2(cesta);
    EXPECT_EQ(OpenForReading(ctenar1.f), 0);
    EXPECT_EQ(OpenForReading(ctenar2.f), 0);
}

TEST(LineFileSharing, ARefusedOutputKeepsItsContents) {
    TDocasnaSlozka slozka;
    const std::string cesta = slozka.Zapis("cteny", "precious\n");
    TZaznam vstup(cesta);
    OpenForReading(vstup.f);
    TZaznam vystup(cesta);
    EXPECT_EQ(OpenForWriting(vystup.f), 32);
    TakeIoStatus();
    EXPECT_EQ(test::PrectiSoubor(cesta), "precious\n");
}

TEST(LineFileWriting, ReopeningClosesFirst) {
    TDocasnaSlozka slozka;
    const std::string cesta = slozka.Soubor("vystup");
    const int otevrenychPred = test::PocetOtevrenychSouboru();
    TZaznam z(cesta);
    OpenForWriting(z.f);
    WriteText(z.f, U16("kept"));
    OpenForReading(z.f); // writes out and closes the output first
    CheckIoStatus();
    std::u16string text;
    ReadLineText(z.f, text);
    EXPECT_EQ(Bajty(text), "kept");
    CloseLineFile(z.f);
    EXPECT_EQ(test::PocetOtevrenychSouboru(), otevrenychPred);
}

TEST(LineFileBuffer, OnlyAClosedRecordTakesAnotherBuffer) {
    TDocasnaSlozka slozka;
    unsigned char vlastni[4];
    TZaznam z(slozka.Zapis("vstup", "abcdefgh\n"));
    EXPECT_FALSE(SetLineFileBuffer(z.f, vlastni, 0));
    EXPECT_TRUE(SetLineFileBuffer(z.f, vlastni, sizeof vlastni));
    EXPECT_EQ(z.f.Data, vlastni);
    EXPECT_EQ(z.f.Capacity, 4u);
    OpenForReading(z.f);
    EXPECT_FALSE(SetLineFileBuffer(z.f, z.f.Buffer, 128));
    std::u16string text;
    ReadLineText(z.f, text);
    EXPECT_EQ(Bajty(text), "abcdefgh");
    AssignLineFile(z.f, U16("x"));
    EXPECT_EQ(z.f.Data, z.f.Buffer);
    EXPECT_EQ(z.f.Capacity, 128u);
}

} // namespace
} // namespace vantrel
