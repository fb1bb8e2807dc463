#pragma once

// The per-user settings store: the current-user registry hive kept as one text file in the
// registry-export format.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Tarsk\Vantrel]
//   "Jazyk"="CZ"
//   "Vlevo"=dword:fffffff6
//   "Cesta"=hex(2):41,00,42,00,00,00
//
// Reading never opens the file for writing. Every write is committed on its own: under an
// exclusive lock on "<file>.lock" the current file is read, the one value replaced, and a
// temporary file in the same folder is synced and renamed over it. Lines that the write does not
// replace (other keys, comments, values of types we cannot read) keep their bytes.
//
// A file that is not in the format is never overwritten: reading reports it as "Failed to get
// data", and the first write moves it aside to "<file>.corrupt-YYYYMMDD-HHMMSS[-n]" before
// starting a fresh file, which records that name in a comment line (see OdlozeneSoubory()).

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vantrel {

struct THodnota;

// A settings value that cannot be read or written; the message names the value.
class EChybaRegistru : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Value types, numbered as the registry numbers them.
enum TTypHodnoty : std::uint32_t {
    thNone = 0,
    thSz = 1,
    thExpandSz = 2,
    thBinary = 3,
    thDword = 4,
};

class TRegistr {
public:
    // The key under which Vantrel keeps its settings.
    static constexpr const char* KlicVantrel = "\\Software\\Tarsk\\Vantrel";

    // The store at VychoziCesta().
    TRegistr();
    // The store in the given file (tests, tools).
    explicit TRegistr(std::string cesta);
    ~TRegistr();
    TRegistr(const TRegistr&) = delete;
    TRegistr& operator=(const TRegistr&) = delete;

    // ${XDG_CONFIG_HOME:-~/.config}/Tarsk/Vantrel.reg; XDG_CONFIG_HOME counts only when absolute.
    static std::string VychoziCesta();
    const std::string& Cesta() const { return cesta_; }

    // Opens a key of the current-user hive. A path with a leading backslash is absolute, one
    // without is relative to the open key. Without `vytvorit`, a missing file or key gives
    // false. With it, the key is written into the file by the first value written. A file that
    // exists but cannot be read or parsed still opens (true): the first value access then
    // reports the failure instead of the settings silently falling back to their defaults.
    bool OpenKey(const std::string& klic, bool vytvorit);
    void CloseKey();
    bool HasOpenKey() const { return otevreny_; }
    // Full path of the open key, e.g. "HKEY_CURRENT_USER\Software\Tarsk\Vantrel".
    std::string CurrentPath() const;

    // Throws "Failed to get data for '<jmeno>'" when the file cannot be read or parsed, as then
    // it cannot be told whether the value exists. False when no key is open.
    bool ValueExists(const std::string& jmeno) const;
    // The value's type; throws "Failed to get data" when it does not exist.
    TTypHodnoty GetDataType(const std::string& jmeno) const;

    // REG_SZ or REG_EXPAND_SZ (unexpanded), as UTF-8. Another type gives "Invalid data type for
    // '<jmeno>'"; a missing value or unreadable data "Failed to get data for '<jmeno>'".
    std::string ReadString(const std::string& jmeno) const;
    // REG_DWORD as a signed 32-bit number; errors as for ReadString.
    std::int32_t ReadInteger(const std::string& jmeno) const;

    // Each write is committed before it returns; a failure throws "Failed to set data for
    // '<jmeno>'" and leaves the file as it was. Texts must be valid UTF-8.
    void WriteString(const std::string& jmeno, const std::string& hodnota);
    void WriteExpandString(const std::string& jmeno, const std::string& hodnota);
    void WriteInteger(const std::string& jmeno, std::int32_t hodnota);

    // Files that this store moved aside because they could not be parsed, oldest first; the
    // caller should tell the user where they went.
    const std::vector<std::string>& OdlozeneSoubory() const { return odlozene_; }

    struct TObsah; // parsed file, defined in the .cpp

private:
    void Zapis(const std::string& jmeno, std::uint32_t typ, const std::string& data);
    const THodnota* Najdi(const std::string& jmeno) const;

    std::string cesta_;
    std::string klic_; // without the hive and without leading or trailing backslashes
    bool otevreny_ = false;
    bool nelzeCist_ = false; // the file exists but could not be read or parsed
    std::unique_ptr<TObsah> snimek_;
    std::vector<std::string> odlozene_;
};

// The file calls through which the store reads and commits, so that tests can make one fail.
struct TRegistrVolani {
    ssize_t (*read)(int handle, void* kam, size_t kolik);
    ssize_t (*write)(int handle, const void* co, size_t kolik);
    int (*fsync)(int handle);
    int (*close)(int handle);
    int (*rename)(const char* z, const char* na);
};
TRegistrVolani& RegistrVolani();
const TRegistrVolani& VychoziRegistrVolani();

} // namespace vantrel
