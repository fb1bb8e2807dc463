#pragma once

#include <cstdint>
#include <string>

// Files as the text file layer needs them, the same on every platform. Failures come back as
// Windows system error numbers (platforma/Chyby.h), so callers and messages keep one meaning
// everywhere; nothing here raises.
namespace vantrel::platforma {

// A path as UTF-16. On Windows it is the system's own; on POSIX it stands for the bytes of the
// name, UTF-8 with any byte that is not UTF-8 kept as U+DC80 + byte (Utf8.h), so every name
// there is comes back as the bytes it was given.
using TCesta = std::u16string;

// An open file: a descriptor on POSIX, a HANDLE on Windows.
using THandle = std::intptr_t;
inline constexpr THandle ZadnyHandle = -1;

enum class TDruhZarizeni { Neznamy, Disk, Znakove, Roura };

// Inputs are opened sharing for reading only, as are outputs, so an input that another program
// holds open for writing is refused with 32, and so is an output that anyone reads. Windows
// keeps this rule with its share modes; POSIX with open-file-description locks. An output is
// created when missing and emptied when present, but only once it is ours: a refused output
// keeps its contents. With `bezCekani` an input that may never deliver (see MuzeNedorucit) is
// refused with ChybaNejistehoVstupu as it is opened, without waiting for a writer.
int OtevriProCteni(const TCesta& cesta, THandle& handle, bool bezCekani = false);
int OtevriProZapis(const TCesta& cesta, THandle& handle);
// Standard input, output and error that are closed at start get the null device in their place,
// so that no file the program opens later takes their place and is read or written as one of
// them. Called first thing; 0, or the error number of the failure. A stream found closed stays
// closed for the program: opening it gives 6 (ERROR_INVALID_HANDLE).
int ZajistiStandardniProudy();
// Handles of their own for the standard streams as they stand (the offset they share
// included, whatever they are: a file, a pipe, a socket, one that a privileged parent opened),
// released independently of the streams. Standard input is not locked for sharing, as the lock
// would outlive the join; a folder there is refused with 5, a file that another join writes
// with 32.
int OtevriStandardniVstup(THandle& handle);
int OtevriStandardniVystup(THandle& handle);

// At the end of a file `precteno` is 0; so it is at the end of a pipe whose writer has gone.
int Cti(THandle handle, unsigned char* kam, std::uint32_t kolik, std::uint32_t& precteno);
// Writes all the bytes: a short write is continued, never dropped.
int Zapis(THandle handle, const unsigned char* co, std::uint32_t kolik);
int Zavri(THandle handle);
TDruhZarizeni DruhZarizeni(THandle handle);

// Whether reading the file could wait for ever: a pipe or a socket waits for a writer, a
// character device for typing (a terminal) or never ends. False for a missing file.
bool MuzeNedorucit(const TCesta& cesta);

// Which file a name or a handle is, to tell whether two names are one file: the same file by
// any route (links, other spellings, other mounts) has the same identity.
struct TIdentita {
    std::uint64_t svazek = 0;
    std::uint64_t soubor = 0;
    // A file with content that reading and writing it at once would clobber or drain (a disk
    // file, a block device, a pipe), unlike a terminal or the null device.
    bool obsah = false;
    bool operator==(const TIdentita& o) const { return svazek == o.svazek && soubor == o.soubor; }
};
// False when there is no such file.
bool Identita(const TCesta& cesta, TIdentita& identita);
bool IdentitaHandle(THandle handle, TIdentita& identita);
bool IdentitaStandardnihoVstupu(TIdentita& identita);
bool IdentitaStandardnihoVystupu(TIdentita& identita);
// Whether two names of which at least one names no file yet would name the same file once it is
// made: the same folder, and the same name as the platform compares names.
bool StejneMisto(const TCesta& a, const TCesta& b);

// The file name without its folder.
TCesta ZakladJmena(const TCesta& cesta);

} // namespace vantrel::platforma
