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

} // namespace vantrel
