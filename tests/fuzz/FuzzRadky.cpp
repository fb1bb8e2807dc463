// The join and the line reader against the reference of the join's rules. The input picks the
// number of files, the buffer size and where the files split:
//   byte 0       number of files - 1 (mod 3)
//   bytes 1, 2   buffer size: 0 means 64 KiB, 1 means 16 KiB, otherwise 1..300
//   then         a 16-bit length for each file but the last, which takes the rest.
// Each block converter the processor runs also converts the first file, with the buffer size
// as its room.

#include "Fuzz.h"
#include "platforma/KodovaStranka.h"
#include "tests/textfile/Reference.h"
#include "textfile/LineFile.h"
#include "textfile/PrevodRadku.h"
#include "textfile/Spojeni.h"

#include <algorithm>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantrel::fuzz {
namespace {

std::u16string U16(const std::string& cesta) {
    return ProcessCodePage().Dekoduj(cesta);
}

// ReadLineText and WriteText with their code-page conversion, line by line.
std::string SpojPresText(const std::vector<std::string>& cesty, const std::string& cil,
                         std::uint32_t kapacita) {
    std::unique_ptr<unsigned char[]> bufferVstupu(new unsigned char[kapacita]);
    std::unique_ptr<unsigned char[]> bufferVystupu(new unsigned char[kapacita]);
    TLineFile vystup, vstup;
    AssignLineFile(vystup, U16(cil));
    Over(SetLineFileBuffer(vystup, bufferVystupu.get(), kapacita), "the output takes a buffer");
    OpenForWriting(vystup);
    Over(TakeIoStatus() == 0, "the output opens");
    for (const auto& cesta : cesty) {
        AssignLineFile(vstup, U16(cesta));
        Over(SetLineFileBuffer(vstup, bufferVstupu.get(), kapacita), "an input takes a buffer");
        OpenForReading(vstup);
        Over(TakeIoStatus() == 0, "an input opens");
        std::u16string radek;
        while (!AtEnd(vstup)) {
            Over(TakeIoStatus() == 0, "AtEnd succeeds");
            ReadLineText(vstup, radek);
            SkipLine(vstup);
            WriteText(vystup, radek);
            WriteLineEnd(vystup);
            Over(TakeIoStatus() == 0, "a line is copied");
        }
        Over(TakeIoStatus() == 0, "AtEnd succeeds");
        WriteText(vystup, {});
        WriteLineEnd(vystup);
        CloseLineFile(vstup);
        Over(TakeIoStatus() == 0, "an input closes");
    }
    CloseLineFile(vystup);
    Over(TakeIoStatus() == 0, "the output closes");
    return Precti(cil);
}

// The first file through every block converter, in steps of at most `misto` output bytes.
void PrevedKazdym(const std::string& obsah, std::size_t misto) {
    const std::string ocekavane = test::ReferencniPrevod(obsah, true, true);
    detail::TImplementacePrevodu implementace[3];
    const std::size_t pocet = detail::ImplementacePrevodu(implementace);
    std::vector<unsigned char> buffer(std::max<std::size_t>(misto, 2));
    const auto* p = reinterpret_cast<const unsigned char*>(obsah.data());
    for (std::size_t k = 0; k < pocet; ++k) {
        std::string vystup;
        std::size_t i = 0;
        while (i < obsah.size()) {
            const TPrevedeno r = implementace[k].prevod(p + i, obsah.size() - i, buffer.data(),
                                                        buffer.size(), true, true);
            vystup.append(buffer.begin(), buffer.begin() + static_cast<long>(r.zapsano));
            i += r.precteno;
            if (r.precteno == 0 && obsah[i] == '\x1a')
                break;
        }
        Over(vystup == ocekavane, "a block converter writes what the byte rules write");
    }
}

} // namespace
} // namespace vantrel::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::setlocale(LC_ALL, "");
    vantrel::ProcessCodePage();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    using namespace vantrel::fuzz;
    if (size < 3)
        return -1;
    const std::size_t souboru = 1 + data[0] % 3;
    const unsigned volba = (data[1] | data[2] << 8) % 302;
    const std::uint32_t kapacita = volba == 0 ? 64 * 1024 : volba == 1 ? 16 * 1024 : volba - 1;
    std::size_t p = 3;
    std::vector<std::string> obsahy;
    for (std::size_t s = 0; s + 1 < souboru; ++s) {
        std::size_t delka = 0;
        if (p + 2 <= size) {
            delka = data[p] | data[p + 1] << 8;
            p += 2;
        }
        delka = std::min(delka, size - p);
        obsahy.emplace_back(reinterpret_cast<const char*>(data + p), delka);
        p += delka;
    }
    obsahy.emplace_back(reinterpret_cast<const char*>(data + p), size - p);

    const TSlozka& slozka = Slozka();
    std::vector<std::string> cesty;
    TSpojeni spojeni;
    for (std::size_t s = 0; s < obsahy.size(); ++s) {
        cesty.push_back(Zapis(slozka.Soubor("vstup" + std::to_string(s)), obsahy[s]));
        spojeni.Vstupy.push_back(U16(cesty.back()));
    }
    const std::string ocekavane = test::ReferencniSpojeni(obsahy);

    spojeni.Vystup = U16(slozka.Soubor("vystup"));
    spojeni.VelikostBufferu = kapacita;
    Spoj(spojeni); // a failure escapes as an exception, which libFuzzer reports
    Over(Precti(slozka.Soubor("vystup")) == ocekavane, "Spoj writes what the reference writes");
    Over(SpojPresText(cesty, slozka.Soubor("vystup2"), kapacita) == ocekavane,
         "the text path writes what the reference writes");
    PrevedKazdym(obsahy[0], kapacita);
    // New files for the next input: emptying a file makes ext4 write it out first.
    slozka.Vyprazdni();
    return 0;
}
