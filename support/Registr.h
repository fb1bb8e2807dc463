#pragma once

// The per-user settings store: the current-user registry hive kept as one text file in the
// registry-export format (support/FormatRegistru.h), read and committed as
// support/SouborRegistru.h describes. Every value write is committed on its own, and lines that
// it does not replace (other keys, comments, values of types we cannot read) keep their bytes.
//
// A file that cannot be used is never overwritten. One that is not in the format or is larger
// than MaxVelikostRegistru is moved aside as soon as it is found, and the first value read
// reports where it went ("Failed to get data for 'Jazyk': <file> is not in the registry export
// format; it was kept as <file>.corrupt-..."). Anything but a regular file is refused, also for
// writing. The error texts start with the value's name as the settings boxes show them.

#include "support/FormatRegistru.h"
#include "support/SouborRegistru.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel {

// A settings value that cannot be read or written; the message names the value.
class EChybaRegistru : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
    const std::string& Cesta() const { return soubor_.Cesta(); }

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

    // Throws "Failed to get data for '<jmeno>'" (and the reason, when there is one to tell) when
    // the file cannot be read or used, as then it cannot be told whether the value exists.
    // False when no key is open.
    bool ValueExists(const std::string& jmeno) const;
    // The value's type; throws "Failed to get data" when it does not exist.
    TTypHodnoty GetDataType(const std::string& jmeno) const;

    // REG_SZ or REG_EXPAND_SZ (unexpanded), as UTF-8. Another type gives "Invalid data type for
    // '<jmeno>'"; a missing value or unreadable data "Failed to get data for '<jmeno>'".
    std::string ReadString(const std::string& jmeno) const;
    // REG_DWORD as a signed 32-bit number; errors as for ReadString.
    std::int32_t ReadInteger(const std::string& jmeno) const;

    // Each write is committed before it returns; a failure throws "Failed to set data for
    // '<jmeno>'" (and the reason, when there is one to tell) and leaves the file as it was.
    // Texts must be valid UTF-8; a value that would make the file larger than
    // MaxVelikostRegistru is refused.
    void WriteString(const std::string& jmeno, const std::string& hodnota);
    void WriteExpandString(const std::string& jmeno, const std::string& hodnota);
    void WriteInteger(const std::string& jmeno, std::int32_t hodnota);

    // Files that this store moved aside because they could not be used, oldest first.
    const std::vector<std::string>& OdlozeneSoubory() const { return odlozene_; }

private:
    void Zapis(const std::string& jmeno, std::uint32_t typ, const std::string& data);
    const THodnotaRegistru* Najdi(const std::string& jmeno) const;

    TSouborRegistru soubor_;
    std::string klic_; // without the hive and without leading or trailing backslashes
    bool otevreny_ = false;
    bool nelzeCist_ = false; // the file exists but could not be read or used
    std::string duvodCteni_; // why, for the user; empty for a plain read error
    std::unique_ptr<TObsahRegistru> snimek_;
    std::vector<std::string> odlozene_;
};

} // namespace vantrel
