#pragma once

#include "platforma/Soubory.h"

#include <array>
#include <cstdint>
#include <string>

// What the platform knows of a file by its name, and of the program itself. Nothing here raises
// or waits: a file that cannot be examined gives false or the empty text.
namespace vantrel::platforma {

// A point in time in UTC: whole seconds since 1 January 1970 and the milliseconds after them.
struct TCas {
    std::int64_t sekundy = 0;
    std::int32_t milisekundy = 0;
};

struct TFaktaSouboru {
    std::int64_t velikost = 0;
    // The birth of the file where the file system records it; elsewhere the nearest the file has
    // to one (on POSIX the last change of its status).
    TCas vytvoreni;
    TCas zmena; // last write
    TCas pristup;
    bool slozka = false;
};
// The directory entry of the file at `cesta`, hidden and system files included; false when there
// is none.
bool FaktaSouboru(const TCesta& cesta, TFaktaSouboru& fakta);

// A calendar time, local.
struct TKalendar {
    int rok = 0, mesic = 0, den = 0;
    int hodina = 0, minuta = 0, sekunda = 0, milisekunda = 0;
};
// `cas` in local time, with the offset from UTC in force at that time (daylight saving
// included); false for a time the platform cannot convert.
bool MistniCas(TCas cas, TKalendar& kalendar);

// The desktop's descriptive name for the type of the existing file at `cesta` (as the file
// manager shows it); empty when it has none or there is no such file.
std::u16string TypSouboru(const TCesta& cesta);

// The fixed file version recorded in the executable at `cesta` (the VERSIONINFO resource on
// Windows, the section ".vantrel_version" of an ELF file on POSIX): major, minor, release,
// build. False for a file without the record, one that is not an executable, or is damaged.
using TCislaVerze = std::array<std::uint16_t, 4>;
bool VerzeSouboru(const TCesta& cesta, TCislaVerze& verze);

// The full path of the running executable; empty when the platform cannot tell.
TCesta CestaProgramu();

} // namespace vantrel::platforma
