#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace vantrel {

// Conversion between the bytes of files and the program's 16-bit strings through one code page:
// the ANSI code page on Windows, the locale's codeset on POSIX. Decoding never fails and loses
// nothing: a byte that does not decode (or whose character would not encode back to the same
// bytes) becomes the lone surrogate U+DC80 + byte, and encoding turns U+DC80..U+DCFF back into
// that byte. So decoding any byte sequence and encoding the result gives the same bytes.
class TKodovaStranka {
public:
    // The code page by name: on POSIX a codeset as nl_langinfo(CODESET) names it, where
    // "ANSI_X3.4-1968" (the C and POSIX locales) counts as UTF-8, since those bytes are the same
    // and UTF-8 is what such a system holds; on Windows a code page number ("1250", "65001") or
    // one of the common codeset names ("UTF-8", "CP1250", "ISO-8859-2", "SHIFT_JIS", ...).
    explicit TKodovaStranka(const std::string& nazev);
    ~TKodovaStranka();
    TKodovaStranka(const TKodovaStranka&) = delete;
    TKodovaStranka& operator=(const TKodovaStranka&) = delete;

    std::u16string Dekoduj(const char* data, std::size_t delka) const;
    std::u16string Dekoduj(const std::string& bajty) const {
        return Dekoduj(bajty.data(), bajty.size());
    }
    // A character that the code page lacks becomes the code page's substitute ('?').
    std::string Koduj(const std::u16string& text) const;

    const std::string& Nazev() const { return nazev_; }
    bool JeUtf8() const;

    struct Impl;

private:
    std::string nazev_;
    std::unique_ptr<Impl> impl_;
};

// ProcessCodePage: read from the platform once, at the first call (GetACP on Windows; the
// locale's codeset on POSIX, where programs call it right after setlocale(LC_ALL, "")), and
// never changed afterwards.
const TKodovaStranka& ProcessCodePage();

// A path as the user reads it: the bytes of a POSIX name that are not UTF-8 (kept as U+DC80 +
// byte) decoded in the given code page, the locale's, in which such names were written; a byte
// that does not decode there either shows as U+FFFD.
std::u16string CitelnaCesta(const std::u16string& cesta, const TKodovaStranka& stranka);

// The path whose last name is written in the given code page instead of UTF-8: what a name typed
// in a locale of another codeset means on a POSIX disk, where Qt neither lists nor makes such
// names. Empty for a UTF-8 code page, a name that is the same in both (ASCII), one with a
// character the code page lacks, and on Windows, whose names are UTF-16 in any code page.
std::u16string CestaVKodoveStrance(const std::u16string& cesta, const TKodovaStranka& stranka);

} // namespace vantrel
