#pragma once

// What the POSIX sources of the platform layer share: the errno mapping, names as bytes, and
// system calls that are watched (Sledovani.h) and run again when a signal interrupts them.

#include "platforma/Sledovani.h"
#include "platforma/Soubory.h"
#include "platforma/Utf8.h"

#include <cerrno>
#include <string>

namespace vantrel::platforma::posix {

// errno to a Windows system error number: ENOENT 2 (3 when a folder on the way is missing),
// ENOTDIR 3, EACCES EPERM EISDIR EROFS 5, EMFILE ENFILE 4, ENOSPC EDQUOT 112, ENAMETOOLONG 206,
// and a few more with their Windows counterparts. Anything else becomes 10000 + errno, which
// collides with no number that has a meaning of its own. `cesta` tells 2 from 3.
int KodChyby(int cislo, const std::string& cesta = {});

// The bytes of a name; false for a name the system would cut short or cannot name at all.
inline bool BajtyCesty(const TCesta& cesta, std::string& bajty) {
    bajty = KodujUtf8(cesta);
    return !bajty.empty() && bajty.find('\0') == std::string::npos;
}

// The name without its folder, for names as UTF-16 or as bytes.
template <typename S> S ZakladJmena(const S& cesta) {
    return cesta.substr(cesta.rfind(typename S::value_type('/')) + 1);
}

// The outcome of a watched call: its result, or the failure the watcher chose, as a Windows
// error number in `kod`.
template <typename R> struct TVysledek {
    R hodnota;
    int kod; // 0, or the watcher's error number; then `hodnota` is -1
};

// Runs `volani` as the watcher says, and again for as long as a signal interrupts it. A failure
// the watcher chose leaves errno alone and is given in `kod`; a real one leaves errno set.
template <typename F>
auto Volej(TVolani druh, THandle handle, const TCesta* cesta, F volani)
    -> TVysledek<decltype(volani(false))> {
    const TZasah zasah = detail::Pred(druh, handle, cesta);
    if (zasah.porucha == TPorucha::Chyba)
        return {-1, zasah.kod};
    const bool kratce = zasah.porucha == TPorucha::Kratce;
    decltype(volani(false)) r;
    if (zasah.porucha == TPorucha::Preruseni) {
        r = -1;
        errno = EINTR;
    } else {
        r = volani(kratce);
    }
    while (r < 0 && errno == EINTR)
        r = volani(false);
    return {r, 0};
}

// The errno that stands for a Windows error number, for code that tests errno: the inverse of
// KodChyby where it has one, EIO otherwise.
int ErrnoChyby(int kod);

// As Volej, for code that tests errno: the result, -1 with errno set for any failure.
template <typename F> auto VolejErrno(TVolani druh, THandle handle, const TCesta* cesta, F volani) {
    const auto r = Volej(druh, handle, cesta, volani);
    if (r.kod != 0)
        errno = ErrnoChyby(r.kod);
    return r.hodnota;
}

} // namespace vantrel::platforma::posix
