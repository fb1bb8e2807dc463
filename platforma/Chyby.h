#pragma once

#include <string>

// Error numbers are Windows system error numbers on every platform: Windows gives them as they
// are, POSIX maps errno onto them (posix/Chyby.cpp), so a number means one thing everywhere.
namespace vantrel::platforma {

enum : int {
    ChybaNeniSoubor = 2,        // ERROR_FILE_NOT_FOUND
    ChybaNeniCesta = 3,         // ERROR_PATH_NOT_FOUND
    ChybaMnohoSouboru = 4,      // ERROR_TOO_MANY_OPEN_FILES
    ChybaPristupu = 5,          // ERROR_ACCESS_DENIED
    ChybaHandle = 6,            // ERROR_INVALID_HANDLE
    ChybaPameti = 8,            // ERROR_NOT_ENOUGH_MEMORY
    ChybaZapisu = 29,           // ERROR_WRITE_FAULT
    ChybaSdileni = 32,          // ERROR_SHARING_VIOLATION
    ChybaZamku = 33,            // ERROR_LOCK_VIOLATION
    ChybaSouborExistuje = 80,   // ERROR_FILE_EXISTS
    ChybaParametru = 87,        // ERROR_INVALID_PARAMETER
    ChybaRoury = 109,           // ERROR_BROKEN_PIPE
    ChybaMista = 112,           // ERROR_DISK_FULL
    ChybaJmena = 123,           // ERROR_INVALID_NAME
    ChybaZaneprazdneno = 170,   // ERROR_BUSY
    ChybaDlouhehoJmena = 206,   // ERROR_FILENAME_EXCED_RANGE
    ChybaNejistehoVstupu = 222, // ERROR_BAD_FILE_TYPE: an input that may never deliver
    ChybaVelikosti = 223,       // ERROR_FILE_TOO_LARGE
    ChybaZavirani = 232,        // ERROR_NO_DATA: the pipe is being closed
    ChybaZarizeni = 1117,       // ERROR_IO_DEVICE
    ChybaOdkazu = 1921,         // ERROR_CANT_RESOLVE_FILENAME
    ChybaNeznama = 10000,       // POSIX: 10000 + errno for an errno without a counterpart
};

// The reason for an error number in a few English words ("no space left on the device"), for
// messages that add it to the number; for a POSIX errno without a Windows counterpart
// (ChybaNeznama + errno) the system's name and words ("ENXIO: No such device or address");
// empty for a number without one.
std::string PopisChyby(int kod);

namespace detail {
// The platform's own words for a number outside the table; empty when it has none.
std::string PopisSystemoveChyby(int kod);
} // namespace detail

} // namespace vantrel::platforma
