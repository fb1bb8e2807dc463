#pragma once

#include "platforma/Soubory.h"

#include <cstddef>

// The seam through which tests watch every system call of the platform layer and make a chosen
// one fail, on either platform: each backend asks before a call what to do with it, and says
// afterwards what it did. Without a watcher a call costs one test of a pointer.
namespace vantrel::platforma {

enum class TVolani {
    Otevreni,      // a file opened by name (or a standard stream by its own handle)
    Cteni,         // reading a file
    Zapis,         // writing a file
    Zavreni,       // releasing a handle
    Udaje,         // what an open file is: its type and size
    Druh,          // what kind of device an output is: a disk, a character device, a pipe
    Zamek,         // a lock that keeps sharing (POSIX; Windows keeps it in the open itself)
    Zkraceni,      // emptying an output
    Synchronizace, // forcing a file to the disk
    Prejmenovani,  // replacing a file by another
    Fakta,         // a file's directory entry looked up by name
    Nastaveni,     // the settings store of the system (Windows: the registry)
};

enum class TPorucha {
    Zadna,
    Chyba,     // the call fails with the given error number; a close still releases the handle
    Kratce,    // reading or writing moves fewer bytes than asked (at least one)
    Preruseni, // a signal interrupts the call once (POSIX; the layer retries it)
};

struct TZasah {
    TPorucha porucha = TPorucha::Zadna;
    int kod = 0; // for Chyba: a Windows error number
};

class TSledovani {
public:
    virtual ~TSledovani() = default;
    // Before a call: `handle` is the file's (ZadnyHandle for calls by name), `cesta` the name
    // for calls by name (nullptr otherwise).
    virtual TZasah Pred(TVolani druh, THandle handle, const TCesta* cesta) = 0;
    // After a call that succeeded: for an open the new handle, for a write the bytes written.
    virtual void Po(TVolani druh, THandle handle, const TCesta* cesta, const unsigned char* data,
                    std::size_t delka) = 0;
};

// Installs a watcher (nullptr: none). Not thread-safe against calls under way: install it
// before the calls to watch start.
void Sleduj(TSledovani* sledovani);

namespace detail {
extern TSledovani* g_sledovani;
inline TZasah Pred(TVolani druh, THandle handle, const TCesta* cesta = nullptr) {
    return g_sledovani == nullptr ? TZasah{} : g_sledovani->Pred(druh, handle, cesta);
}
inline void Po(TVolani druh, THandle handle, const TCesta* cesta = nullptr,
               const unsigned char* data = nullptr, std::size_t delka = 0) {
    if (g_sledovani != nullptr)
        g_sledovani->Po(druh, handle, cesta, data, delka);
}
} // namespace detail

} // namespace vantrel::platforma
