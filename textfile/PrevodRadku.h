#pragma once

#include <cstddef>

// The byte rules of the join applied to a block of bytes at once: the line reader's and writer's
// rules (LineFile.h) without going line by line. Plain functions of their arguments.
namespace vantrel {

// The bytes the rules look for: line ends, and in CR LF mode the byte 26 that ends a file.
inline constexpr unsigned char LF = 10;
inline constexpr unsigned char CR = 13;
inline constexpr unsigned char EOFZnak = 26;

struct TPrevedeno {
    std::size_t precteno; // bytes taken from the input
    std::size_t zapsano;  // bytes written to the output
};

// Converts text as ReadLineBytes, SkipLine and WriteLineEnd copy it: a CR is dropped, an LF is
// written as the line end (CR LF with `crLfVystup`, else LF), and with `konec26` a byte 26 ends
// the text and is not taken. Stops at the end of the input, at that 26, or where the output has
// no room for the next byte's output (a CR LF is never split); the input's bytes after the
// last one taken are for the next call.
TPrevedeno PrevedRadky(const unsigned char* vstup, std::size_t delka, unsigned char* vystup,
                       std::size_t misto, bool crLfVystup, bool konec26);

// Length of the run of ordinary text bytes (neither LF nor CR, nor 26 with `konec26`) at the
// start of p[0..n).
std::size_t DelkaTextu(const unsigned char* p, std::size_t n, bool konec26);

// The implementations PrevedRadky chooses from, for tests that hold each to the same rules.
// Each returns exactly what PrevedRadky returns; the block ones need the processor's support.
namespace detail {
using TPrevodnik = TPrevedeno (*)(const unsigned char*, std::size_t, unsigned char*, std::size_t,
                                  bool, bool);
struct TImplementacePrevodu {
    const char* nazev;
    TPrevodnik prevod;
};
// The ones this processor can run, the plain byte-run one first.
std::size_t ImplementacePrevodu(TImplementacePrevodu (&kam)[3]);
} // namespace detail

} // namespace vantrel
