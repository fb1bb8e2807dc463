// The join compared with a deliberately simple reference of its rules, over random inputs
// rich in the bytes that matter (CR, LF, 26, 0, bytes above 127), for every buffer size from
// 1 to 300 and for 64 KiB.

#include "Pomocne.h"
#include "Reference.h"
#include "textfile/LineFile.h"
#include "textfile/Spojeni.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace vantrel {
namespace {

std::string NahodnyObsah(std::mt19937& nahoda) {
    static const char* const utf8[] = {"\xC5\x99", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC3"};
    const std::size_t delka = nahoda() % 8 == 0 ? nahoda() % 3000 : nahoda() % 400;
    std::string obsah;
    while (obsah.size() < delka) {
        const unsigned volba = nahoda() % 100;
        if (volba < 14)
            obsah.push_back('\r');
        else if (volba < 28)
            obsah.push_back('\n');
        else if (volba < 30)
            obsah.push_back('\x1a');
        else if (volba < 35)
            obsah.push_back('\0');
        else if (volba < 50)
            obsah.push_back(static_cast<char>(0x80 + nahoda() % 128));
        else if (volba < 58)
            obsah += utf8[nahoda() % 4];
        else if (volba < 60)
            obsah += std::string(200 + nahoda() % 200, 'L'); // long lines
        else
            obsah.push_back(static_cast<char>('a' + nahoda() % 26));
    }
    return obsah;
}

// The text path: ReadLineText and WriteText with their code page conversion, line by line.
std::string SpojPresText(const std::vector<std::string>& cesty, const std::string& cil,
                         std::uint32_t kapacita) {
    std::unique_ptr<unsigned char[]> bufferVstupu(new unsigned char[kapacita]);
    std::unique_ptr<unsigned char[]> bufferVystupu(new unsigned char[kapacita]);
    TLineFile vystup, vstup;
    AssignLineFile(vystup, test::U16(cil));
    SetLineFileBuffer(vystup, bufferVystupu.get(), kapacita);
    OpenForWriting(vystup);
    CheckIoStatus();
    for (const auto& cesta : cesty) {
        AssignLineFile(vstup, test::U16(cesta));
        SetLineFileBuffer(vstup, bufferVstupu.get(), kapacita);
        OpenForReading(vstup);
        CheckIoStatus();
        std::u16string radek;
        while (!CheckIoStatus(AtEnd(vstup))) {
            ReadLineText(vstup, radek);
            SkipLine(vstup);
            CheckIoStatus();
            WriteText(vystup, radek);
            WriteLineEnd(vystup);
            CheckIoStatus();
        }
        WriteText(vystup, {});
        WriteLineEnd(vystup);
        CheckIoStatus();
        CloseLineFile(vstup);
        CheckIoStatus();
    }
    CloseLineFile(vystup);
    CheckIoStatus();
    return test::PrectiSoubor(cil);
}

TEST(JoinModel, MatchesTheReferenceAtEveryBufferSize) {
    test::TDocasnaSlozka slozka;
    std::vector<std::uint32_t> kapacity;
    for (std::uint32_t k = 1; k <= 300; ++k)
        kapacity.push_back(k);
    kapacity.push_back(64 * 1024);
    const int vstupuNaKapacitu = 12;
    unsigned pocet = 0;
    for (std::uint32_t kapacita : kapacity) {
        for (int i = 0; i < vstupuNaKapacitu; ++i) {
            const unsigned seed = kapacita * 1000u + static_cast<unsigned>(i);
            std::mt19937 nahoda(seed);
            std::vector<std::string> obsahy, cesty;
            const unsigned souboru = 1 + nahoda() % 3;
            for (unsigned s = 0; s < souboru; ++s) {
                obsahy.push_back(NahodnyObsah(nahoda));
                cesty.push_back(slozka.Zapis("vstup" + std::to_string(s), obsahy.back()));
            }
            const std::string ocekavane = test::ReferencniSpojeni(obsahy);

            TSpojeni spojeni;
            for (const auto& cesta : cesty)
                spojeni.Vstupy.push_back(test::U16(cesta));
            spojeni.Vystup = test::U16(slozka.Soubor("vystup"));
            spojeni.VelikostBufferu = kapacita;
            Spoj(spojeni);
            const std::string spojeno = test::PrectiSoubor(slozka.Soubor("vystup"));
            ASSERT_EQ(test::Citelne(spojeno), test::Citelne(ocekavane))
                << "seed " << seed << ", buffer " << kapacita;

            const std::string textem = SpojPresText(cesty, slozka.Soubor("vystup2"), kapacita);
            ASSERT_EQ(test::Citelne(textem), test::Citelne(ocekavane))
                << "text path, seed " << seed << ", buffer " << kapacita;
            // New files each time: emptying a file makes ext4 write it out, which the next
            // emptying would wait for.
            for (const std::string& soubor : cesty)
                std::remove(soubor.c_str());
            std::remove(slozka.Soubor("vystup").c_str());
            std::remove(slozka.Soubor("vystup2").c_str());
            ++pocet;
        }
    }
    EXPECT_EQ(pocet, kapacity.size() * vstupuNaKapacitu);
}

// Inputs laid out around the buffer size, where the copy of a buffer at a time meets a refill
// or a full output.
TEST(JoinModel, EdgesOfTheBuffers) {
    using TObsah = std::function<std::string(std::size_t)>;
    const struct {
        const char* nazev;
        TObsah obsah;
    } pripady[] = {
        {"CR LF split by a refill",
         [](std::size_t b) { return std::string(b - 1, 'a') + "\r\nb\n"; }},
        {"CR ending a buffer, then text",
         [](std::size_t b) { return std::string(b - 1, 'a') + "\rx\n"; }},
        {"26 opening a buffer",
         [](std::size_t b) { return std::string(b, 'a') + "\x1a" + "gone\n"; }},
        {"26 ending a buffer",
         [](std::size_t b) { return std::string(b - 1, 'a') + "\x1a" + "gone\n"; }},
        {"CR, then 26 opening a buffer",
         [](std::size_t b) { return std::string(b - 1, 'a') + "\r\x1a\n"; }},
        {"LF ending a buffer", [](std::size_t b) { return std::string(b - 1, 'a') + "\nb"; }},
        {"last line without LF past a refill",
         [](std::size_t b) { return std::string(b + 1, 'a'); }},
        {"a lone CR as the last line", [](std::size_t b) { return std::string(b, '\n') + "\r"; }},
        {"CR LF where the output fills",
         [](std::size_t b) { return std::string(b - 1, 'a') + "\na"; }},
        {"line ends over several buffers", [](std::size_t b) { return std::string(3 * b, '\n'); }},
    };
    test::TDocasnaSlozka slozka;
    const std::string dalsi = slozka.Zapis("dalsi", "next\n");
    std::vector<std::uint32_t> kapacity;
    for (std::uint32_t k = 1; k <= 300; ++k)
        kapacity.push_back(k);
    for (std::uint32_t k : {1024u, 16u * 1024, 64u * 1024})
        kapacity.push_back(k);
    for (const auto& p : pripady) {
        for (std::uint32_t kapacita : kapacity) {
            const std::string obsah = p.obsah(kapacita);
            TSpojeni spojeni;
            spojeni.Vstupy = {test::U16(slozka.Zapis("vstup", obsah)), test::U16(dalsi)};
            spojeni.Vystup = test::U16(slozka.Soubor("vystup"));
            spojeni.VelikostBufferu = kapacita;
            Spoj(spojeni);
            ASSERT_EQ(test::Citelne(test::PrectiSoubor(slozka.Soubor("vystup"))),
                      test::Citelne(test::ReferencniSpojeni({obsah, "next\n"})))
                << p.nazev << ", buffer " << kapacita;
            std::remove(slozka.Soubor("vstup").c_str());
            std::remove(slozka.Soubor("vystup").c_str());
        }
    }
}

} // namespace
} // namespace vantrel
