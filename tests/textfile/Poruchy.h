#pragma once

#include "platforma/Sledovani.h"

#include <cstddef>
#include <string>
#include <vector>

// Faults under the file layer, on any platform: a watcher of the platform layer's calls
// (platforma/Sledovani.h) that records every call and can make a chosen one fail, come back
// short, or be interrupted.
namespace vantrel::test {

using platforma::TPorucha;
using platforma::TVolani;
const char* Nazev(TVolani druh);

// One call as the watcher saw it: its kind and the file it was on ("" when unknown).
struct TZaznamVolani {
    TVolani druh;
    std::string soubor;
};

// Installs the watcher for its lifetime; only one may exist at a time.
class TPoruchy {
public:
    TPoruchy();
    ~TPoruchy();
    TPoruchy(const TPoruchy&) = delete;
    TPoruchy& operator=(const TPoruchy&) = delete;

    // Makes the n-th call (from 1) of `druh` misbehave, counted from now on; `kod` (a Windows
    // error number) is used by Chyba only.
    void Nastav(TVolani druh, std::size_t n, TPorucha porucha, int kod = 0);
    // No call misbehaves any more.
    void Zrus();
    // Counts again from zero and forgets what was written; the planned fault stays.
    void Vynuluj();
    // Whether the planned call has happened.
    bool Nastala() const;

    std::size_t Pocet(TVolani druh) const;
    const std::vector<TZaznamVolani>& Volani() const;
    // The bytes that write calls reported as written, in order.
    const std::string& Zapsano() const;
    // Handles opened through the layer and not yet released: a leak when a join is over.
    std::size_t Otevrenych() const;
};

} // namespace vantrel::test
