#include "textfile/Spojeni.h"

#include "textfile/KodovaStranka.h"
#include "textfile/LineFile.h"
#include "textfile/Platforma.h"

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace vantrel {

namespace {

constexpr int SdileniOdmitnuto = 32;
// A line is copied in pieces of at most this many bytes, so no line is ever held whole.
constexpr std::size_t DelkaKusu = 64 * 1024;

// A record with the buffer the join asked for.
class TSoubor {
public:
    TSoubor(std::uint32_t velikostBufferu) : velikost_(velikostBufferu) {}

    TLineFile& Zaznam() { return zaznam_; }

    void Prirad(const std::u16string& cesta) {
        AssignLineFile(zaznam_, cesta);
        PouzijBuffer();
    }
    void PriradStandardniVystup() {
        AssignStandardOutput(zaznam_);
        PouzijBuffer();
    }
    bool Otevren() const { return zaznam_.Mode == ModeInput || zaznam_.Mode == ModeOutput; }

    // Clean-up after a failure: the failure that stopped the join is the one reported.
    void ZavriPoChybe() {
        if (Otevren()) {
            CloseLineFile(zaznam_);
            TakeIoStatus();
        }
    }

private:
    void PouzijBuffer() {
        if (velikost_ == 0 || velikost_ == VychoziKapacita)
            return;
        if (!buffer_)
            buffer_ = std::make_unique<unsigned char[]>(velikost_);
        SetLineFileBuffer(zaznam_, buffer_.get(), velikost_);
    }

    std::uint32_t velikost_;
    std::unique_ptr<unsigned char[]> buffer_;
    TLineFile zaznam_;
};

inline void Zkontroluj(std::ptrdiff_t soubor, const std::u16string& cesta) {
    if (detail::g_ioStatus == 0)
        return;
    try {
        CheckIoStatus();
    } catch (const EInOutError& chyba) {
        throw EChybaSpojeni(chyba, soubor, cesta);
    }
}

bool StejnaCesta(const std::string& a, const std::string& b) {
    std::error_code chyba;
    auto plna = [&](const std::string& cesta) {
        return std::filesystem::absolute(cesta, chyba).lexically_normal();
    };
    return a == b || plna(a) == plna(b);
}

// The input that is the output itself, or -1. Only a file with content counts: a device such as
// /dev/null or a terminal may well be both.
std::ptrdiff_t VstupShodnySVystupem(const TSpojeni& spojeni) {
    platforma::TIdentita vystup{};
    bool existuje;
    std::string cestaVystupu;
    if (spojeni.NaStandardniVystup) {
        existuje = platforma::IdentitaHandle(STDOUT_FILENO, vystup);
    } else {
        cestaVystupu = KodujCestu(spojeni.Vystup);
        existuje = platforma::Identita(cestaVystupu, vystup);
    }
    for (std::size_t i = 0; i < spojeni.Vstupy.size(); ++i) {
        const std::string cesta = KodujCestu(spojeni.Vstupy[i]);
        platforma::TIdentita vstup{};
        if (existuje ? vystup.obsah && platforma::Identita(cesta, vstup) && vstup == vystup
                     : !spojeni.NaStandardniVystup && StejnaCesta(cesta, cestaVystupu))
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

void KopirujSoubor(TLineFile& vstup, std::ptrdiff_t index, TLineFile& vystup,
                   std::vector<char>& kus) {
    for (;;) {
        // A refill that fails here is the input's failure like any other.
        const bool konec = AtEnd(vstup);
        Zkontroluj(index, vstup.Path);
        if (konec)
            break;
        std::size_t n;
        do {
            n = ReadLineBytes(vstup, kus.data(), kus.size());
            Zkontroluj(index, vstup.Path);
            WriteBytes(vystup, kus.data(), n);
            Zkontroluj(EChybaSpojeni::Vystup, vystup.Path);
        } while (n == kus.size());
        SkipLine(vstup);
        Zkontroluj(index, vstup.Path);
        WriteLineEnd(vystup);
        Zkontroluj(EChybaSpojeni::Vystup, vystup.Path);
    }
}

} // namespace

EChybaSpojeni::EChybaSpojeni(const EInOutError& chyba, std::ptrdiff_t soubor,
                             const std::u16string& cesta)
    : EInOutError(chyba.Kod(), chyba.Cesta().empty() ? cesta : chyba.Cesta()), soubor_(soubor) {}

void Spoj(const TSpojeni& spojeni) {
    const std::ptrdiff_t shodny = VstupShodnySVystupem(spojeni);
    if (shodny >= 0)
        throw EChybaSpojeni(EInOutError(SdileniOdmitnuto), shodny,
                            spojeni.Vstupy[static_cast<std::size_t>(shodny)]);

    TSoubor vystup(spojeni.VelikostBufferu);
    if (spojeni.NaStandardniVystup)
        vystup.PriradStandardniVystup();
    else
        vystup.Prirad(spojeni.Vystup);
    OpenForWriting(vystup.Zaznam());
    Zkontroluj(EChybaSpojeni::Vystup, spojeni.Vystup);

    std::vector<char> kus(DelkaKusu);
    TSoubor vstup(spojeni.VelikostBufferu);
    try {
        const std::size_t pocet = spojeni.Vstupy.size();
        for (std::size_t i = 0; i < pocet; ++i) {
            const auto index = static_cast<std::ptrdiff_t>(i);
            vstup.Prirad(spojeni.Vstupy[i]);
            OpenForReading(vstup.Zaznam());
            Zkontroluj(index, spojeni.Vstupy[i]);
            try {
                KopirujSoubor(vstup.Zaznam(), index, vystup.Zaznam(), kus);
                WriteText(vystup.Zaznam(), {});
                WriteLineEnd(vystup.Zaznam());
                Zkontroluj(EChybaSpojeni::Vystup, spojeni.Vystup);
            } catch (...) {
                vstup.ZavriPoChybe();
                throw;
            }
            CloseLineFile(vstup.Zaznam());
            Zkontroluj(index, spojeni.Vstupy[i]);
            if (spojeni.PoSouboru)
                spojeni.PoSouboru(i);
        }
    } catch (...) {
        vystup.ZavriPoChybe();
        throw;
    }
    CloseLineFile(vystup.Zaznam());
    Zkontroluj(EChybaSpojeni::Vystup, spojeni.Vystup);
}

} // namespace vantrel
