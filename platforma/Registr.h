#pragma once

// The per-user settings store: keys of the current user's registry hive holding typed values.
// On Windows it is the registry itself (HKEY_CURRENT_USER). On POSIX the hive is one text file in
// the registry-export format (posix/FormatRegistru.h), read and committed as
// posix/SouborRegistru.h describes: every value write is committed on its own, and lines that
// it does not replace (other keys, comments, values of types we cannot read) keep their bytes.
// There a file that cannot be used is never overwritten: one that is not in the format or is too
// large is moved aside as soon as it is found, and the first value read reports where it went.
//
// The error texts start with the value's name as the settings boxes show them: "Invalid data
// type for '<name>'", "Failed to get data for '<name>'", "Failed to set data for '<name>'",
// followed by ": " and the reason where there is one to tell.

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

    // The user's own store.
    TRegistr();
    // A store of its own in place of the user's, for tests and tools: on POSIX the file at
    // `umisteni`; on Windows the key `umisteni` under HKEY_CURRENT_USER, under which the keys
    // are made.
    explicit TRegistr(std::string umisteni);
    ~TRegistr();
    TRegistr(const TRegistr&) = delete;
    TRegistr& operator=(const TRegistr&) = delete;

    // Where the user's own store is, for messages: on POSIX
    // ${XDG_CONFIG_HOME:-~/.config}/Tarsk/Vantrel.reg (XDG_CONFIG_HOME counts only when
    // absolute); on Windows "HKEY_CURRENT_USER".
    static std::string VychoziUmisteni();
    const std::string& Umisteni() const;

    // Opens a key of the current-user hive. A path with a leading backslash is absolute, one
    // without is relative to the open key. Without `vytvorit`, a missing key gives false. With
    // it the key is made (on POSIX by the first value written). A store that exists but cannot
    // be read still opens (true): the first value access then reports the failure instead of
    // the settings silently falling back to their defaults.
    bool OpenKey(const std::string& klic, bool vytvorit);
    void CloseKey();
    bool HasOpenKey() const;
    // Full path of the open key, e.g. "HKEY_CURRENT_USER\Software\Tarsk\Vantrel".
    std::string CurrentPath() const;

    // Throws "Failed to get data for '<jmeno>'" when the store cannot be read, as then it cannot
    // be told whether the value exists. False when no key is open.
    bool ValueExists(const std::string& jmeno) const;
    // The value's type; throws "Failed to get data" when it does not exist.
    TTypHodnoty GetDataType(const std::string& jmeno) const;

    // REG_SZ or REG_EXPAND_SZ (unexpanded), as UTF-8. Another type gives "Invalid data type for
    // '<jmeno>'"; a missing value or unreadable data "Failed to get data for '<jmeno>'".
    std::string ReadString(const std::string& jmeno) const;
    // REG_DWORD as a signed 32-bit number; errors as for ReadString.
    std::int32_t ReadInteger(const std::string& jmeno) const;

    // Each write is committed before it returns; a failure throws "Failed to set data for
    // '<jmeno>'" (and the reason, when there is one to tell) and leaves the store as it was.
    // Texts must be valid UTF-8.
    void WriteString(const std::string& jmeno, const std::string& hodnota);
    void WriteExpandString(const std::string& jmeno, const std::string& hodnota);
    void WriteInteger(const std::string& jmeno, std::int32_t hodnota);

    // Files that this store moved aside because they could not be used, oldest first (POSIX;
    // always empty on Windows).
    const std::vector<std::string>& OdlozeneSoubory() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace vantrel
