#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Faults under the file layer: the system calls of textfile/Platforma.h are replaced by wrappers
// that count every call and can make a chosen one fail, come back short, or be interrupted.
namespace vantrel::test {

enum class TVolani {
    Open,
    Read,
    Write,
    Close,
    Fstat,
    Zamkni,
    ZjistiZamek,
    Ftruncate,
    Dup,
    Libovolne
};
const char* Nazev(TVolani druh);

enum class TPorucha {
    Chyba,     // returns -1 with the chosen errno; a failing close still releases the descriptor
    Kratce,    // read or write: moves fewer bytes than asked (at least one)
    Preruseni, // -1 with EINTR once; the retry goes through
};

// One call as the wrappers saw it: its kind and the file it was on ("" when unknown).
struct TZaznamVolani {
    TVolani druh;
    std::string soubor;
};

// Installs the wrappers for its lifetime; only one may exist at a time.
class TPoruchy {
public:
    TPoruchy();
    ~TPoruchy();
    TPoruchy(const TPoruchy&) = delete;
    TPoruchy& operator=(const TPoruchy&) = delete;

    // Makes the n-th call (from 1) of `druh` (of any kind for Libovolne) misbehave, counted from
    // now on. errno is used by Chyba only.
    void Nastav(TVolani druh, std::size_t n, TPorucha porucha, int cisloChyby = 0);
    // Counts again from zero and forgets what was written; the planned fault stays.
    void Vynuluj();
    // Whether the planned call has happened.
    bool Nastala() const;

    std::size_t Pocet(TVolani druh) const;
    const std::vector<TZaznamVolani>& Volani() const;
    // The bytes that write calls reported as written, in order.
    const std::string& Zapsano() const;
};

} // namespace vantrel::test
