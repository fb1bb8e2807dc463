#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace vantrel {

// Conversion between the bytes of files and the program's 16-bit strings through one code page,
// the locale's codeset. Decoding never fails and loses nothing: a byte that does not decode
// (or whose character would not encode back to the same bytes) becomes the lone surrogate
// U+DC80 + byte, and encoding turns U+DC80..U+DCFF back into that byte. So decoding any byte
// sequence and encoding the result gives the same bytes.
class TKodovaStranka {
public:
    // The codeset as nl_langinfo(CODESET) names it; "ANSI_X3.4-1968" (the C and POSIX locales)
    // counts as UTF-8, since those bytes are the same and UTF-8 is what such a system holds.
    explicit TKodovaStranka(const std::string& codeset);
    ~TKodovaStranka();
    TKodovaStranka(const TKodovaStranka&) = delete;
    TKodovaStranka& operator=(const TKodovaStranka&) = delete;

    std::u16string Dekoduj(const char* data, std::size_t delka) const;
    std::u16string Dekoduj(const std::string& bajty) const {
        return Dekoduj(bajty.data(), bajty.size());
    }
    // A character that the code page lacks becomes '?'.
    std::string Koduj(const std::u16string& text) const;

    const std::string& Nazev() const { return nazev_; }
    bool JeUtf8() const;

private:
    struct Impl;
    std::string nazev_;
    std::unique_ptr<Impl> impl_;
};

// ProcessCodePage: read from the locale once, at the first call. Programs call it right after
// setlocale(LC_ALL, "") so that it reflects the user's locale and never changes afterwards.
const TKodovaStranka& ProcessCodePage();

// File names, which are bytes on Linux whatever the locale. They travel as UTF-8 (Qt's file name
// encoding, so the window opens exactly the file its list shows); a byte that is not UTF-8 is
// kept as U+DC80 + byte, so any name comes back as the bytes it was given (argv included).
std::u16string DekodujCestu(const std::string& bajty);
std::string KodujCestu(const std::u16string& cesta);

// A path as the user reads it: the bytes that are not UTF-8 (kept as U+DC80 + byte) decoded in
// the given code page, the locale's, in which such names were written; a byte that does not
// decode there either shows as U+FFFD.
std::u16string CitelnaCesta(const std::u16string& cesta, const TKodovaStranka& stranka);

// The path whose last name is written in the given code page instead of UTF-8: what a name
// typed in a locale of another codeset means on its disk, where Qt neither lists nor makes such
// names. Empty for a UTF-8 code page, a name that is the same in both (ASCII), or one with a
// character the code page lacks.
std::u16string CestaVKodoveStrance(const std::u16string& cesta, const TKodovaStranka& stranka);

} // namespace vantrel
