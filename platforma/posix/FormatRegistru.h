#pragma once

// The registry-export text format of the settings file, on bytes in memory (no files here):
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Tarsk\Vantrel]
//   "Jazyk"="CZ"
//   "Vlevo"=dword:fffffff6
//   "Cesta"=hex(2):41,00,42,00,00,00
//
// A parsed file keeps every line as it was, so that writing one value changes only that value's
// lines; the file keeps its encoding (UTF-8, UTF-8 with a byte order mark, UTF-16LE with one).

#include "platforma/Registr.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// Thrown by RozeberRegistr for bytes that are not in the format.
struct ENeplatnyFormat {};

enum class TKodovani { Utf8, Utf8Bom, Utf16le };

struct TRadekRegistru {
    std::string text;  // UTF-8, whatever the file's encoding
    std::string konec; // "\r\n", "\n", or "" for a last line without one
};

struct TSekceRegistru {
    std::string klic;        // as written in the header, hive included
    std::size_t konecHodnot; // index just after the section's last non-blank line
};

struct THodnotaRegistru {
    std::string jmeno;
    std::uint32_t typ;
    std::string data; // the bytes as the registry holds them (strings as UTF-16LE)
    std::size_t prvniRadek;
    std::size_t pocetRadku;
};

struct TObsahRegistru {
    std::vector<TRadekRegistru> radky;
    std::vector<TSekceRegistru> sekce;     // every section, in file order
    std::vector<THodnotaRegistru> hodnoty; // values of the sections of the key, in file order
    std::vector<std::size_t> nase;         // indexes into `sekce` of the sections of the key
    bool klicExistuje = false;             // the key or a subkey of it has a section
    std::string konecRadku = "\n";         // for lines we add
    TKodovani kodovani = TKodovani::Utf8;
};

// Parses a file for the key `klic` (normalised, without the hive). Sections of that key are
// parsed strictly; other sections are kept as lines never looked into, so another program's
// entries cannot make our file unreadable. Throws ENeplatnyFormat.
TObsahRegistru RozeberRegistr(const std::string& bajty, const std::string& klic);
// A file with the header only, then `poznamka` as a comment line when it is not empty.
TObsahRegistru NovyRegistr(const std::string& klic, const std::string& poznamka);
// The file's bytes in its own encoding: lines that were not changed keep their bytes.
std::string SlozRegistr(const TObsahRegistru& obsah);

// The value of that name (names compare case-insensitively); when a value is given twice the
// later line wins, as on import. nullptr when there is none.
const THodnotaRegistru* NajdiHodnotu(const TObsahRegistru& obsah, const std::string& jmeno);
// Replaces the lines of the value, or adds them at the end of the key's last section, or adds
// the section at the end of the file. `jmeno` must pass PlatneJmeno. The line indexes of
// `obsah` are stale afterwards: parse the composed file again to look values up.
void NastavHodnotu(TObsahRegistru& obsah, const std::string& klic, const std::string& jmeno,
                   std::uint32_t typ, const std::string& data);

// Valid UTF-8 without line breaks or NUL: a name a value line can hold.
bool PlatneJmeno(const std::string& jmeno);
// Only for text that PlatneUtf8 (platforma/Utf8.h) accepts.
std::string Utf8NaUtf16le(const std::string& text);
// False for an odd length or a surrogate without its pair.
bool Utf16leNaUtf8(const std::string& bajty, std::string& text);

} // namespace vantrel
