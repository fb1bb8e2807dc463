#pragma once

#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

// The file calls of the text file layer, over POSIX. Failures come back as Windows system error
// numbers, so callers and messages keep one meaning on every platform; nothing here raises.
namespace vantrel::platforma {

enum class TDruhZarizeni { Neznamy, Disk, Znakove, Roura };

// Paths are the file names' own bytes (KodujCestu). Inputs take a shared lock and outputs an
// exclusive one (open-file-description locks), which is how sharing for reading only is kept: an
// input that is open for writing elsewhere is refused with 32, and so is an output that anyone
// reads. The output is locked before it is emptied, so a refused output keeps its contents; a new
// or empty output is not truncated at all.
// With `bezCekani` an input that may never deliver (see MuzeNedorucit) is refused with
// ChybaNejistehoVstupu as it is opened, without waiting for a writer.
int OtevriProCteni(const std::string& cesta, int& handle, bool bezCekani = false);
int OtevriProZapis(const std::string& cesta, int& handle);
// A descriptor of its own for standard output, released independently of descriptor 1.
int OtevriStandardniVystup(int& handle);

int Cti(int handle, unsigned char* kam, std::uint32_t kolik, std::uint32_t& precteno);
// Writes all the bytes: a short write is continued, never dropped.
int Zapis(int handle, const unsigned char* co, std::uint32_t kolik);
int Zavri(int handle);
TDruhZarizeni DruhZarizeni(int handle);

// ERROR_BAD_FILE_TYPE: an input that may never deliver, refused where no one may wait for it.
constexpr int ChybaNejistehoVstupu = 222;

// Whether reading the file could wait for ever: a FIFO or a socket waits for a writer, a
// character device for typing (a terminal) or never ends (/dev/zero). False for a missing file.
bool MuzeNedorucit(const std::string& cesta);

// Device and inode, to tell whether two names are one file; false when there is no such file.
struct TIdentita {
    dev_t zarizeni;
    ino_t uzel;
    // A regular file, block device or FIFO: content that reading and writing it at once would
    // clobber or drain, unlike a terminal or /dev/null.
    bool obsah;
    bool operator==(const TIdentita& o) const { return zarizeni == o.zarizeni && uzel == o.uzel; }
};
bool Identita(const std::string& cesta, TIdentita& identita);
bool IdentitaHandle(int handle, TIdentita& identita);

// errno to a Windows system error number: ENOENT 2 (3 when a folder on the way is missing),
// ENOTDIR 3, EACCES EPERM EISDIR EROFS 5, EMFILE ENFILE 4, ENOSPC EDQUOT 112, ENAMETOOLONG 206,
// and a few more with their Windows counterparts. Anything else becomes 10000 + errno, which
// collides with no code that has a meaning of its own.
int KodChyby(int cislo, const std::string& cesta = {});

// Every call into the system goes through this table, so that tests can make a chosen call fail.
struct TSystemovaVolani {
    int (*open)(const char* cesta, int priznaky, mode_t prava);
    ssize_t (*read)(int handle, void* kam, size_t kolik);
    ssize_t (*write)(int handle, const void* co, size_t kolik);
    int (*close)(int handle);
    int (*fstat)(int handle, struct stat* udaje);
    int (*zamkni)(int handle, struct flock* zamek); // fcntl(F_OFD_SETLK)
    int (*ftruncate)(int handle, off_t delka);
    int (*dup)(int handle); // fcntl(F_DUPFD_CLOEXEC)
};
TSystemovaVolani& SystemovaVolani();
const TSystemovaVolani& VychoziSystemovaVolani();

} // namespace vantrel::platforma
