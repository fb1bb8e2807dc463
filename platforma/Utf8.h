#pragma once

#include <cstddef>
#include <string>

// The one UTF-8 codec, in two strengths: a lossless one for bytes that may be anything (file
// contents, POSIX file names) and a strict one for text that must be UTF-8 (settings values).
namespace vantrel {

// Lone surrogates U+DC80..U+DCFF stand for the bytes 0x80..0xFF that are not UTF-8.
inline constexpr char16_t PrvniNahrada = 0xDC80;
inline bool JeNahrada(char16_t u) {
    return u >= 0xDC80 && u <= 0xDCFF;
}

// Never fails: a byte that is not part of a valid UTF-8 sequence (overlong forms, surrogates and
// values above U+10FFFF included) becomes U+DC80 + byte.
std::u16string DekodujUtf8(const char* data, std::size_t delka);
inline std::u16string DekodujUtf8(const std::string& bajty) {
    return DekodujUtf8(bajty.data(), bajty.size());
}
// The inverse: U+DC80..U+DCFF become their bytes again, any other lone surrogate '?'. So
// KodujUtf8(DekodujUtf8(b)) == b for any bytes b.
std::string KodujUtf8(const std::u16string& text);

// Strict: overlong forms, surrogates and anything above U+10FFFF are not UTF-8.
bool PlatneUtf8(const std::string& text);
// False, with `vysledek` unspecified, for text that PlatneUtf8 refuses.
bool Utf8NaUtf16(const std::string& text, std::u16string& vysledek);
// False for a surrogate without its pair.
bool Utf16NaUtf8(const std::u16string& text, std::string& vysledek);

} // namespace vantrel
