#include "textfile/Spojeni.h"

#include "platforma/Chyby.h"
#include "platforma/Soubory.h"
#include "textfile/LineFile.h"
#include "textfile/ZapisNaPozadi.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace vantrel {

namespace {

// From this buffer size on the output is written on a thread of its own, with buffers of that
// size taking turns up to this much memory; below it a hand-over costs more than it saves.
constexpr std::uint32_t NejmensiBufferNaPozadi = 16 * 1024;
constexpr std::size_t PametNaPozadi = 512 * 1024;

// A record with the buffer the join asked for.
class TSoubor {
public:
    TSoubor(std::uint32_t velikostBufferu) : velikost_(velikostBufferu) {}

    TLineFile& Zaznam() { return zaznam_; }

    void Prirad(const TVstup& vstup, bool bezCekani) {
        if (vstup.Standardni)
            AssignStandardInput(zaznam_);
        else
            AssignLineFile(zaznam_, vstup.Cesta);
        if (bezCekani)
            zaznam_.Flags |= FlagBezCekani;
        PouzijBuffer();
    }
    void PriradStandardniVystup() {
        AssignStandardOutput(zaznam_);
        PouzijBuffer();
    }
    bool Otevren() const { return zaznam_.Mode == ModeInput || zaznam_.Mode == ModeOutput; }

    // Clean-up after a failure: 0, or the code of the close's own failure (of the output: its
    // last write-out), which is taken so that the caller decides which failure to report.
    int ZavriPoChybe() {
        if (!Otevren())
            return 0;
        CloseLineFile(zaznam_);
        return TakeIoStatus();
    }

private:
    void PouzijBuffer() {
        if (velikost_ == 0 || velikost_ == VychoziKapacita)
            return;
        if (!buffer_)
            buffer_.reset(new unsigned char[velikost_]); // not zeroed: every byte is written first
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

// The input that is the output itself, or -1. Only a file with content counts: a device such as
// /dev/null or a terminal may well be both.
std::ptrdiff_t VstupShodnySVystupem(const TSpojeni& spojeni) {
    platforma::TIdentita vystup{};
    const bool existuje = spojeni.NaStandardniVystup
                              ? platforma::IdentitaStandardnihoVystupu(vystup)
                              : platforma::Identita(spojeni.Vystup, vystup);
    for (std::size_t i = 0; i < spojeni.Vstupy.size(); ++i) {
        const TVstup& v = spojeni.Vstupy[i];
        platforma::TIdentita vstup{};
        bool shodny;
        if (v.Standardni)
            shodny = existuje && vystup.obsah && platforma::IdentitaStandardnihoVstupu(vstup) &&
                     vstup == vystup;
        else
            shodny = existuje
                         ? vystup.obsah && platforma::Identita(v.Cesta, vstup) && vstup == vystup
                         : !spojeni.NaStandardniVystup &&
                               platforma::StejneMisto(v.Cesta, spojeni.Vystup);
        if (shodny)
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

// A join under way: its two records, and the output's writer when it writes on a thread.
class TBehSpojeni {
public:
    explicit TBehSpojeni(const TSpojeni& spojeni)
        : spojeni_(spojeni), vystup_(spojeni.VelikostBufferu), vstup_(spojeni.VelikostBufferu) {}

    void Proved() {
        if (spojeni_.NaStandardniVystup)
            vystup_.PriradStandardniVystup();
        else
            vystup_.Prirad(TVstup(spojeni_.Vystup), false);
        OpenForWriting(vystup_.Zaznam());
        Zkontroluj(EChybaSpojeni::Vystup, spojeni_.Vystup);
        maIdentitu_ = platforma::IdentitaHandle(vystup_.Zaznam().Handle, identitaVystupu_) &&
                      identitaVystupu_.obsah;
        PisNaPozadi();
        try {
            const std::size_t pocet = spojeni_.Vstupy.size();
            for (std::size_t i = 0; i < pocet; ++i)
                KopirujVstup(i);
        } catch (const EChybaSpojeni& chyba) {
            // The output's buffer holds bytes joined before the input failed: a failure to
            // write them comes first.
            const int kod = vystup_.ZavriPoChybe();
            if (kod != 0 && chyba.Soubor() != EChybaSpojeni::Vystup)
                throw EChybaSpojeni(EInOutError(kod, vystup_.Zaznam().Path), EChybaSpojeni::Vystup,
                                    vystup_.Zaznam().Path);
            throw;
        } catch (...) {
            vystup_.ZavriPoChybe();
            throw;
        }
        CloseLineFile(vystup_.Zaznam());
        Zkontroluj(EChybaSpojeni::Vystup, spojeni_.Vystup);
    }

private:
    void PisNaPozadi() {
        const std::uint32_t velikost = spojeni_.VelikostBufferu;
        if (velikost < NejmensiBufferNaPozadi || WritesEveryLine(vystup_.Zaznam()))
            return;
        const std::size_t dalsich = std::clamp<std::size_t>(PametNaPozadi / velikost, 1, 7);
        naPozadi_.emplace(velikost, dalsich);
        if (!naPozadi_->Prevezmi(vystup_.Zaznam()))
            naPozadi_.reset(); // no thread to be had: the output is written as it fills
    }

    // Waits for the output's writes. One that failed came before anything that followed it,
    // so it is reported in place of the input's failure pending now, if any.
    void DokonciZapis() {
        if (!naPozadi_)
            return;
        if (const int kod = naPozadi_->Dokonci()) {
            TakeIoStatus();
            throw EChybaSpojeni(EInOutError(kod, vystup_.Zaznam().Path), EChybaSpojeni::Vystup,
                                vystup_.Zaznam().Path);
        }
    }

    void ZkontrolujVstup(std::ptrdiff_t index, const std::u16string& cesta) {
        if (detail::g_ioStatus == 0)
            return;
        DokonciZapis();
        Zkontroluj(index, cesta);
    }

    // Whether the input (open, or refused for sharing) is the output itself, by whatever name
    // it was reached: a name such as /dev/fd/N may mean the output only once it is open.
    bool JeVystupem(const TVstup& v) {
        platforma::TIdentita vstup{};
        if (!maIdentitu_)
            return false;
        const TLineFile& zaznam = vstup_.Zaznam();
        if (zaznam.Mode == ModeInput)
            return platforma::IdentitaHandle(zaznam.Handle, vstup) && vstup == identitaVystupu_;
        if (v.Standardni)
            return platforma::IdentitaStandardnihoVstupu(vstup) && vstup == identitaVystupu_;
        return platforma::Identita(v.Cesta, vstup) && vstup == identitaVystupu_;
    }

    void KopirujVstup(std::size_t i) {
        const auto index = static_cast<std::ptrdiff_t>(i);
        const std::u16string& cesta = spojeni_.Vstupy[i].Cesta;
        TLineFile& vstup = vstup_.Zaznam();
        TLineFile& vystup = vystup_.Zaznam();
        vstup_.Prirad(spojeni_.Vstupy[i], spojeni_.BezCekani);
        const int kod = OpenForReading(vstup);
        if ((kod == 0 || kod == platforma::ChybaSdileni) && JeVystupem(spojeni_.Vstupy[i])) {
            TakeIoStatus();
            vstup_.ZavriPoChybe();
            DokonciZapis();
            throw EChybaSpojeni(EInOutError(platforma::ChybaSdileni), index, cesta, true);
        }
        ZkontrolujVstup(index, cesta);
        try {
            bool otevreny = false; // a line's text begun, its end not yet met
            for (;;) {
                // Refills the buffer; a refill that fails is the input's failure.
                const bool konec = AtEnd(vstup);
                ZkontrolujVstup(index, cesta);
                if (konec)
                    break;
                otevreny = CopyBufferedLines(vstup, vystup, otevreny);
                Zkontroluj(EChybaSpojeni::Vystup, vystup.Path);
            }
            // The last line's end where the input has none, then the empty line after the file.
            if (otevreny) {
                WriteLineEnd(vystup);
                Zkontroluj(EChybaSpojeni::Vystup, vystup.Path);
            }
            WriteText(vystup, {});
            WriteLineEnd(vystup);
            Zkontroluj(EChybaSpojeni::Vystup, vystup.Path);
        } catch (...) {
            vstup_.ZavriPoChybe();
            throw;
        }
        CloseLineFile(vstup);
        ZkontrolujVstup(index, cesta);
        if (spojeni_.PoSouboru) {
            // Reported as copied only once it is in the output.
            DokonciZapis();
            spojeni_.PoSouboru(i);
        }
    }

    const TSpojeni& spojeni_;
    TSoubor vystup_;
    TSoubor vstup_;
    platforma::TIdentita identitaVystupu_{};
    bool maIdentitu_ = false; // the output is a file with content, whose identity is known
    std::optional<TZapisNaPozadi> naPozadi_; // after vystup_, whose buffer it may hold
};

} // namespace

EChybaSpojeni::EChybaSpojeni(const EInOutError& chyba, std::ptrdiff_t soubor,
                             const std::u16string& cesta, bool jeVystupem)
    : EInOutError(chyba.Kod(), chyba.Cesta().empty() ? cesta : chyba.Cesta()), soubor_(soubor),
      jeVystupem_(jeVystupem) {}

void Spoj(const TSpojeni& spojeni) {
    const std::ptrdiff_t shodny = VstupShodnySVystupem(spojeni);
    if (shodny >= 0)
        throw EChybaSpojeni(EInOutError(platforma::ChybaSdileni), shodny,
                            spojeni.Vstupy[static_cast<std::size_t>(shodny)].Cesta, true);
    for (std::size_t i = 0; spojeni.BezCekani && i < spojeni.Vstupy.size(); ++i) {
        const TVstup& v = spojeni.Vstupy[i];
        if (!v.Standardni && platforma::MuzeNedorucit(v.Cesta))
            throw EChybaSpojeni(EInOutError(platforma::ChybaNejistehoVstupu, v.Cesta),
                                static_cast<std::ptrdiff_t>(i), v.Cesta);
    }
    TBehSpojeni(spojeni).Proved();
}

} // namespace vantrel
