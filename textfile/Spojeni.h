#pragma once

#include "textfile/IoStatus.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

// One input of a join: a file by its name, or the process's standard input as it stands.
struct TVstup {
    TVstup(std::u16string cesta) : Cesta(std::move(cesta)) {}
    static TVstup StandardniVstup() {
        TVstup vstup(std::u16string{});
        vstup.Standardni = true;
        return vstup;
    }

    std::u16string Cesta; // empty for standard input
    bool Standardni = false;
};

// A join: the input files in order, and where their lines go.
struct TSpojeni {
    std::vector<TVstup> Vstupy;
    std::u16string Vystup;
    bool NaStandardniVystup = false; // then Vystup is not used
    // Buffer size of each file in bytes; 0 keeps the records' own 128-byte buffers.
    std::uint32_t VelikostBufferu = 0;
    // Refuses an input that may never deliver (a pipe, socket or character device) instead of
    // waiting for it: one such input anywhere in the list stops the join before the output is
    // touched, and one that becomes such later stops it at that input.
    bool BezCekani = false;
    // Called after each input has been copied and closed, with its position.
    std::function<void(std::size_t)> PoSouboru;
};

// The failure of a join: the EInOutError of the operation that failed, and which file it was.
class EChybaSpojeni : public EInOutError {
public:
    static constexpr std::ptrdiff_t Vystup = -1;

    EChybaSpojeni(const EInOutError& chyba, std::ptrdiff_t soubor, const std::u16string& cesta,
                  bool jeVystupem = false);
    // Position of the failing input, or Vystup.
    std::ptrdiff_t Soubor() const { return soubor_; }
    // The input was refused (with the sharing error) because it is the output itself.
    bool JeVystupem() const { return jeVystupem_; }

private:
    std::ptrdiff_t soubor_;
    bool jeVystupem_;
};

// Copies every line of every input, in order, into the output with CR LF line ends, each input
// followed by one empty line; ends the output at the first failure, holding what was written
// before it, and raises EChybaSpojeni. Files are closed also on failure. A failed write of the
// output is the failure reported, also when it comes to light only as the output is closed
// after an input's failure: bytes that were joined before that input are never silently lost.
//
// An output that is one of the inputs (the same regular file, block device or FIFO, or the same
// path while it does not exist yet) is refused with the sharing error for that input before the
// output is opened or emptied; a character device such as /dev/null may be both. An input that
// turns out to be the output only once it is open (a name such as /dev/fd/N that meant nothing
// before the output was opened) is refused the same way, before anything of it is read.
void Spoj(const TSpojeni& spojeni);

} // namespace vantrel
