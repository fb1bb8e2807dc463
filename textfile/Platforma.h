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
int OtevriProCteni(const std::string& cesta, int& handle);
int OtevriProZapis(const std::string& cesta, int& handle);

// Standard input, output and error that are closed at start get /dev/null in their place, so
// that no file the program opens later takes their numbers and is read or written as one of
// them. Called first thing; 0, or the code of the failure. A stream found closed stays closed
// for the program: opening it gives 6 (ERROR_INVALID_HANDLE).
int ZajistiStandardniProudy();
constexpr int HandleVstupu = 0;
constexpr int HandleVystupu = 1;
// A descriptor of its own for standard input as it stands (its offset shared, whatever it is:
// a file, a pipe, a socket, one that a privileged parent opened), released independently of
// descriptor 0. A folder is refused with 5, and a file that another join is writing with 32.
int OtevriStandardniVstup(int& handle);
// A descriptor of its own for standard output, released independently of descriptor 1.
int OtevriStandardniVystup(int& handle);

int Cti(int handle, unsigned char* kam, std::uint32_t kolik, std::uint32_t& precteno);
// Writes all the bytes: a short write is continued, never dropped.
int Zapis(int handle, const unsigned char* co, std::uint32_t kolik);
int Zavri(int handle);
TDruhZarizeni DruhZarizeni(int handle);

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
// The system's own words for a code made from an errno that has no Windows counterpart
// (10000 + errno), as "ENXIO: No such device or address"; empty for any other code.
std::string PopisNeprevedeneChyby(int kod);

// Every call into the system goes through this table, so that tests can make a chosen call fail.
struct TSystemovaVolani {
    int (*open)(const char* cesta, int priznaky, mode_t prava);
    ssize_t (*read)(int handle, void* kam, size_t kolik);
    ssize_t (*write)(int handle, const void* co, size_t kolik);
    int (*close)(int handle);
    int (*fstat)(int handle, struct stat* udaje);
    int (*zamkni)(int handle, struct flock* zamek);      // fcntl(F_OFD_SETLK)
    int (*zjistiZamek)(int handle, struct flock* zamek); // fcntl(F_OFD_GETLK)
    int (*ftruncate)(int handle, off_t delka);
    int (*dup)(int handle); // fcntl(F_DUPFD_CLOEXEC)
};
TSystemovaVolani& SystemovaVolani();
const TSystemovaVolani& VychoziSystemovaVolani();

} // namespace vantrel::platforma
