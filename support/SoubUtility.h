#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// Time stamp given for a file that is missing or cannot be examined: 1 January 1900, 18:00:00.
constexpr double ChybejiciCasovaZnacka = 2.75;

// File facts for the file list, the join report and the about dialog, from the platform layer.
// Stateless and cheap; none of the operations raises, each has a fixed answer for a file it
// cannot examine.
class TSouboroveInfo {
public:
    // The version recorded in the executable (platforma::VerzeSouboru). Form 0 gives
    // "major.minor.release.build", forms 1 to 3 the first one to three numbers; any other form,
    // a file without the record, a file that is not an executable or is damaged gives the empty
    // text.
    std::u16string VerzeSouboru(const std::u16string& cesta, std::uint8_t forma) const;

    // One of the file's time stamps as days since 30 Dec 1899 in local time, to the millisecond.
    // Kind 0 creation, 1 last modification, 2 last access; ChybejiciCasovaZnacka when the path
    // names no existing file (a directory included) or the kind is another number.
    double DatumSouboru(const std::u16string& cesta, std::uint8_t druh) const;

    // Size in bytes, -1 when the path names nothing.
    std::int64_t VelikostSouboru(const std::u16string& cesta) const;

    // The desktop's descriptive name of the file's type, at most 80 characters; "?" when the file
    // is missing or has no such name.
    std::u16string TypSouboru(const std::u16string& cesta) const;
};

// Date-time value (days since 30 Dec 1899, the fraction is the time of day) of a local calendar
// time. Days before 30 Dec 1899 keep the time as a positive fraction below the day: -1.25 is
// 29 Dec 1899 06:00.
double HodnotaDatumu(int rok, int mesic, int den, int hodina, int minuta, int sekunda,
                     int milisekunda = 0);

// "dd.mm.yyyy", followed by a blank and "hh:nn:ss" unless the time of day is 00:00:00 (the
// milliseconds are dropped). The separator of the time is the user's (platforma). A value
// outside the years 100 to 9999 gives the empty text.
std::u16string TextCasoveZnacky(double datum);

// The size of a file for display: "1.500 MB" above 1048576 bytes, "10.001 kB" above 10240, else
// "123 B", with the user's decimal separator (platforma) and no digit grouping. The
// parenthesised form is the one of the join report: "(1.500 MB)".
std::u16string TextVelikosti(std::int64_t velikost, bool vZavorkach = false);

} // namespace vantrel
