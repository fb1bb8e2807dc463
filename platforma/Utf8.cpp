#include "platforma/Utf8.h"

#include <cstdint>

namespace vantrel {

namespace {

constexpr char NahradniZnak = '?';

bool JeVysokaPolovina(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool JeNizkaPolovina(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// The character of the UTF-8 sequence at s[i] and its length in bytes; 0 when no valid sequence
// starts there.
std::size_t Znak(const unsigned char* s, std::size_t n, std::size_t i, std::uint32_t& znak) {
    const unsigned c = s[i];
    if (c < 0x80) {
        znak = c;
        return 1;
    }
    std::size_t delka;
    std::uint32_t nejmensi;
    if (c >= 0xC2 && c <= 0xDF)
        delka = 2, znak = c & 0x1F, nejmensi = 0x80;
    else if (c >= 0xE0 && c <= 0xEF)
        delka = 3, znak = c & 0x0F, nejmensi = 0x800;
    else if (c >= 0xF0 && c <= 0xF4)
        delka = 4, znak = c & 0x07, nejmensi = 0x10000;
    else
        return 0;
    if (i + delka > n)
        return 0;
    for (std::size_t k = 1; k < delka; ++k) {
        const unsigned d = s[i + k];
        if ((d & 0xC0) != 0x80)
            return 0;
        znak = (znak << 6) | (d & 0x3F);
    }
    if (znak < nejmensi || znak > 0x10FFFF || (znak >= 0xD800 && znak <= 0xDFFF))
        return 0;
    return delka;
}

char16_t* PridejZnak(char16_t* out, std::uint32_t znak) {
    if (znak >= 0x10000) {
        znak -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (znak >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (znak & 0x3FF));
    } else {
        *out++ = static_cast<char16_t>(znak);
    }
    return out;
}

char* PridejUtf8(char* out, std::uint32_t znak) {
    if (znak < 0x80) {
        *out++ = static_cast<char>(znak);
    } else if (znak < 0x800) {
        *out++ = static_cast<char>(0xC0 | (znak >> 6));
        *out++ = static_cast<char>(0x80 | (znak & 0x3F));
    } else if (znak < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (znak >> 12));
        *out++ = static_cast<char>(0x80 | ((znak >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (znak & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (znak >> 18));
        *out++ = static_cast<char>(0x80 | ((znak >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((znak >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (znak & 0x3F));
    }
    return out;
}

// The character of the UTF-16 unit at text[i] (a pair taking two), or -1 for a lone surrogate.
std::int32_t Jednotka(const std::u16string& text, std::size_t& i) {
    const char16_t u = text[i];
    if (JeVysokaPolovina(u) && i + 1 < text.size() && JeNizkaPolovina(text[i + 1])) {
        ++i;
        return 0x10000 + ((u - 0xD800) << 10) + (text[i] - 0xDC00);
    }
    if (JeVysokaPolovina(u) || JeNizkaPolovina(u))
        return -1;
    return u;
}

} // namespace

// Units never outnumber bytes: every character or escape takes at least as many bytes as it
// yields UTF-16 units.
std::u16string DekodujUtf8(const char* data, std::size_t delka) {
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    std::u16string vysledek(delka, u'\0');
    char16_t* out = vysledek.data();
    std::size_t i = 0;
    while (i < delka) {
        if (s[i] < 0x80) {
            *out++ = s[i++];
            continue;
        }
        std::uint32_t znak;
        const std::size_t n = Znak(s, delka, i, znak);
        if (n == 0) {
            *out++ = static_cast<char16_t>(PrvniNahrada + (s[i++] - 0x80));
            continue;
        }
        out = PridejZnak(out, znak);
        i += n;
    }
    vysledek.resize(static_cast<std::size_t>(out - vysledek.data()));
    return vysledek;
}

// Bytes never outnumber three per unit: a pair of units makes four.
std::string KodujUtf8(const std::u16string& text) {
    std::string vysledek(text.size() * 3, '\0');
    char* out = vysledek.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u < 0x80) {
            *out++ = static_cast<char>(u);
            continue;
        }
        const std::int32_t znak = Jednotka(text, i);
        if (znak >= 0)
            out = PridejUtf8(out, static_cast<std::uint32_t>(znak));
        else if (JeNahrada(u))
            *out++ = static_cast<char>(u - PrvniNahrada + 0x80);
        else
            *out++ = NahradniZnak;
    }
    vysledek.resize(static_cast<std::size_t>(out - vysledek.data()));
    return vysledek;
}

bool PlatneUtf8(const std::string& text) {
    std::u16string zahodit;
    return Utf8NaUtf16(text, zahodit);
}

bool Utf8NaUtf16(const std::string& text, std::u16string& vysledek) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    vysledek.assign(text.size(), u'\0');
    char16_t* out = vysledek.data();
    for (std::size_t i = 0; i < text.size();) {
        std::uint32_t znak;
        const std::size_t n = Znak(s, text.size(), i, znak);
        if (n == 0)
            return false;
        out = PridejZnak(out, znak);
        i += n;
    }
    vysledek.resize(static_cast<std::size_t>(out - vysledek.data()));
    return true;
}

bool Utf16NaUtf8(const std::u16string& text, std::string& vysledek) {
    vysledek.assign(text.size() * 3, '\0');
    char* out = vysledek.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::int32_t znak = Jednotka(text, i);
        if (znak < 0)
            return false;
        out = PridejUtf8(out, static_cast<std::uint32_t>(znak));
    }
    vysledek.resize(static_cast<std::size_t>(out - vysledek.data()));
    return true;
}

} // namespace vantrel
