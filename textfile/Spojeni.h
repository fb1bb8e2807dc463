#pragma once

#include "textfile/IoStatus.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

// A join: the input files in order, and where their lines go.
struct TSpojeni {
    std::vector<std::u16string> Vstupy;
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

    EChybaSpojeni(const EInOutError& chyba, std::ptrdiff_t soubor, const std::u16string& cesta);
    // Position of the failing input, or Vystup.
    std::ptrdiff_t Soubor() const { return soubor_; }

private:
    std::ptrdiff_t soubor_;
};

// Copies every line of every input, in order, into the output with CR LF line ends, each input
// followed by one empty line; ends the output at the first failure, holding what was written
// before it, and raises EChybaSpojeni. Files are closed also on failure.
//
// An output that is one of the inputs (the same regular file, block device or FIFO, or the same
// path while it does not exist yet) is refused with the sharing error for that input before the
// output is opened or emptied; a character device such as /dev/null may be both.
void Spoj(const TSpojeni& spojeni);

} // namespace vantrel
