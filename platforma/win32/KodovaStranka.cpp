#include "platforma/KodovaStranka.h"

#include "platforma/Utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

// The code page conversions through MultiByteToWideChar and WideCharToMultiByte (flags 0). A
// single-byte or double-byte code page (every ANSI code page but UTF-8) is read into a table
// once: each byte and each pair of a lead byte with any second byte is decoded, and kept only
// when its character encodes back to the same bytes and no other bytes took it. Whatever fails
// that test becomes U+DC80 + byte, so decoding and encoding again gives the bytes back.
namespace vantrel {

namespace {

constexpr std::uint16_t ZadneBajty = 0xFFFF; // lead byte 0xFF is a lead byte in no code page

std::string Normalizuj(std::string nazev) {
    std::string vysledek;
    for (unsigned char c : nazev)
        if (c != '-' && c != '_' && c != ' ')
            vysledek += static_cast<char>(std::toupper(c));
    return vysledek;
}

bool JenCislice(const std::string& text) {
    return !text.empty() && text.size() <= 5 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The code page a name stands for: a number, or a codeset name as POSIX systems spell them.
// 0 for a name without one.
UINT CisloStranky(const std::string& nazev) {
    const std::string n = Normalizuj(nazev);
    if (JenCislice(n))
        return static_cast<UINT>(std::stoul(n));
    for (const char* predpona : {"CP", "WINDOWS", "IBM", "MS"}) {
        const std::string p = predpona;
        if (n.compare(0, p.size(), p) == 0 && JenCislice(n.substr(p.size())))
            return static_cast<UINT>(std::stoul(n.substr(p.size())));
    }
    if (n.compare(0, 7, "ISO8859") == 0 && JenCislice(n.substr(7))) {
        const unsigned cast = static_cast<unsigned>(std::stoul(n.substr(7)));
        return cast >= 1 && cast <= 16 ? 28590 + cast : 0;
    }
    struct TJmeno {
        const char* jmeno;
        UINT stranka;
    };
    // The C locale's ASCII counts as UTF-8, as on POSIX: the bytes are the same.
    static const TJmeno jmena[] = {
        {"", CP_UTF8},      {"UTF8", CP_UTF8},    {"ANSIX3.41968", CP_UTF8},
        {"ASCII", CP_UTF8}, {"USASCII", CP_UTF8}, {"C", CP_UTF8},
        {"POSIX", CP_UTF8}, {"SHIFTJIS", 932},    {"SJIS", 932},
        {"EUCJP", 20932},   {"GBK", 936},         {"GB2312", 936},
        {"BIG5", 950},      {"EUCKR", 949},       {"KOI8R", 20866},
        {"KOI8U", 21866},   {"GB18030", 54936},   {"TIS620", 874},
        {"LATIN1", 28591},  {"LATIN2", 28592},
    };
    for (const TJmeno& j : jmena)
        if (n == j.jmeno)
            return j.stranka;
    return 0;
}

char16_t Unik(unsigned char bajt) {
    return bajt < 0x80 ? bajt : static_cast<char16_t>(PrvniNahrada + bajt - 0x80);
}

} // namespace

struct TKodovaStranka::Impl {
    enum class Druh { Utf8, Tabulka, Obecny } druh = Druh::Utf8;
    UINT stranka = CP_UTF8;
    std::string nahradni = "?";

    // Druh::Tabulka: the character of each byte, of each pair that a lead byte starts (0 where
    // the pair does not convert), and the bytes of each character (a byte below 0x100, a pair
    // as lead * 256 + second byte, ZadneBajty where the code page lacks it).
    std::array<char16_t, 256> bajty{};
    std::array<bool, 256> vedouci{};
    std::vector<char16_t> dvojice;
    std::vector<std::uint16_t> kodovani;

    // The character that `delka` bytes decode to, when they make one character that encodes
    // back to exactly those bytes.
    bool Znak(const char* data, int delka, std::u16string& znak) const {
        wchar_t jednotky[4];
        const int n = MultiByteToWideChar(stranka, 0, data, delka, jednotky, 4);
        if (n <= 0 || n > 2)
            return false;
        char zpet[8];
        const int m =
            WideCharToMultiByte(stranka, 0, jednotky, n, zpet, sizeof zpet, nullptr, nullptr);
        if (m != delka || !std::equal(zpet, zpet + m, data))
            return false;
        znak.assign(reinterpret_cast<const char16_t*>(jednotky), static_cast<std::size_t>(n));
        if (n == 2)
            return znak[0] >= 0xD800 && znak[0] <= 0xDBFF && znak[1] >= 0xDC00 && znak[1] <= 0xDFFF;
        return !(znak[0] >= 0xD800 && znak[0] <= 0xDFFF);
    }

    // Bytes that decode to one character of the BMP that no other bytes took.
    bool Novy(const char* data, int delka, char16_t& znak) const {
        std::u16string z;
        if (!Znak(data, delka, z) || z.size() != 1 || kodovani[z[0]] != ZadneBajty)
            return false;
        znak = z[0];
        return true;
    }

    void Postav(UINT cislo) {
        CPINFO info;
        kodovani.assign(0x10000, ZadneBajty);
        druh = Druh::Tabulka;
        if (cislo == 0 || !IsValidCodePage(cislo) || !GetCPInfo(cislo, &info)) {
            // A code page the system does not know: bytes map to U+0000..U+00FF, which is
            // lossless too.
            for (int b = 0; b < 256; ++b) {
                bajty[b] = static_cast<char16_t>(b);
                kodovani[b] = static_cast<std::uint16_t>(b);
            }
            return;
        }
        stranka = cislo;
        nahradni.assign(reinterpret_cast<const char*>(info.DefaultChar),
                        info.DefaultChar[1] != 0 ? 2 : 1);
        if (info.MaxCharSize > 2) {
            druh = Druh::Obecny;
            kodovani.clear();
            return;
        }
        for (int r = 0; r + 1 < MAX_LEADBYTES && info.LeadByte[r] != 0; r += 2)
            for (int b = info.LeadByte[r]; b <= info.LeadByte[r + 1]; ++b)
                vedouci[b] = true;
        for (int b = 0; b < 256; ++b) {
            const char bajt = static_cast<char>(b);
            char16_t znak;
            bajty[b] = Unik(static_cast<unsigned char>(b));
            if (!vedouci[b] && Novy(&bajt, 1, znak)) {
                bajty[b] = znak;
                kodovani[znak] = static_cast<std::uint16_t>(b);
            }
        }
        // Escapes exist for bytes 0x80..0xFF only; a lower byte that does not convert stands
        // for itself.
        for (int b = 0; b < 0x80; ++b)
            if (bajty[b] == b && kodovani[b] == ZadneBajty)
                kodovani[b] = static_cast<std::uint16_t>(b);
        if (std::find(vedouci.begin(), vedouci.end(), true) == vedouci.end())
            return;
        dvojice.assign(0x10000, 0);
        for (int l = 0; l < 256; ++l) {
            for (int t = 0; vedouci[l] && t < 256; ++t) {
                const char par[2] = {static_cast<char>(l), static_cast<char>(t)};
                char16_t znak;
                if (Novy(par, 2, znak)) {
                    dvojice[l * 256 + t] = znak;
                    kodovani[znak] = static_cast<std::uint16_t>(l * 256 + t);
                }
            }
        }
    }

    std::u16string DekodujTabulkou(const unsigned char* s, std::size_t n) const {
        std::u16string vysledek(n, u'\0');
        char16_t* out = vysledek.data();
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char b = s[i];
            if (vedouci[b] && i + 1 < n && dvojice[b * 256 + s[i + 1]] != 0)
                *out++ = dvojice[b * 256 + s[++i]];
            else
                *out++ = bajty[b];
        }
        vysledek.resize(static_cast<std::size_t>(out - vysledek.data()));
        return vysledek;
    }

    std::string KodujTabulkou(const std::u16string& text) const {
        std::string vysledek;
        vysledek.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t u = text[i];
            const std::uint16_t b = kodovani[u];
            if (JeNahrada(u)) {
                vysledek += static_cast<char>(u - PrvniNahrada + 0x80);
            } else if (b == ZadneBajty || (u >= 0xD800 && u <= 0xDFFF)) {
                // A pair of surrogates is one character the code page lacks.
                if (u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                    text[i + 1] <= 0xDFFF)
                    ++i;
                vysledek += nahradni;
            } else if (b < 0x100) {
                vysledek += static_cast<char>(b);
            } else {
                vysledek += static_cast<char>(b >> 8);
                vysledek += static_cast<char>(b & 0xFF);
            }
        }
        return vysledek;
    }

    // Other multi-byte code pages: the shortest run of bytes that makes one character which
    // encodes back to the same bytes, else one byte as its escape.
    std::u16string DekodujObecne(const unsigned char* s, std::size_t n) const {
        std::u16string vysledek;
        vysledek.reserve(n);
        std::u16string znak;
        for (std::size_t i = 0; i < n;) {
            std::size_t delka = 1;
            while (delka <= 4 && i + delka <= n &&
                   !Znak(reinterpret_cast<const char*>(s + i), static_cast<int>(delka), znak))
                ++delka;
            if (delka <= 4 && i + delka <= n && !JeNahrada(znak[0])) {
                vysledek += znak;
                i += delka;
            } else {
                vysledek += Unik(s[i++]);
            }
        }
        return vysledek;
    }

    std::string KodujObecne(const std::u16string& text) const {
        std::string vysledek;
        vysledek.reserve(text.size() * 2);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t u = text[i];
            if (JeNahrada(u)) {
                vysledek += static_cast<char>(u - PrvniNahrada + 0x80);
                continue;
            }
            const int jednotek = u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() &&
                                         text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF
                                     ? 2
                                     : 1;
            const auto* w = reinterpret_cast<const wchar_t*>(&text[i]);
            char bajty[16];
            const int m =
                WideCharToMultiByte(stranka, 0, w, jednotek, bajty, sizeof bajty, nullptr, nullptr);
            std::u16string zpet;
            if (m > 0 && Znak(bajty, m, zpet) && zpet == text.substr(i, jednotek))
                vysledek.append(bajty, static_cast<std::size_t>(m));
            else
                vysledek += nahradni;
            i += static_cast<std::size_t>(jednotek - 1);
        }
        return vysledek;
    }
};

TKodovaStranka::TKodovaStranka(const std::string& nazev)
    : nazev_(nazev), impl_(std::make_unique<Impl>()) {
    const UINT cislo = CisloStranky(nazev);
    if (cislo != CP_UTF8)
        impl_->Postav(cislo);
}

TKodovaStranka::~TKodovaStranka() = default;

bool TKodovaStranka::JeUtf8() const {
    return impl_->druh == Impl::Druh::Utf8;
}

std::u16string TKodovaStranka::Dekoduj(const char* data, std::size_t delka) const {
    switch (impl_->druh) {
    case Impl::Druh::Utf8:
        return DekodujUtf8(data, delka);
    case Impl::Druh::Tabulka:
        return impl_->DekodujTabulkou(reinterpret_cast<const unsigned char*>(data), delka);
    case Impl::Druh::Obecny:
        break;
    }
    return impl_->DekodujObecne(reinterpret_cast<const unsigned char*>(data), delka);
}

std::string TKodovaStranka::Koduj(const std::u16string& text) const {
    switch (impl_->druh) {
    case Impl::Druh::Utf8:
        return KodujUtf8(text);
    case Impl::Druh::Tabulka:
        return impl_->KodujTabulkou(text);
    case Impl::Druh::Obecny:
        break;
    }
    return impl_->KodujObecne(text);
}

// Windows names are UTF-16 whatever the code page: a typed name is the file's name.
std::u16string CestaVKodoveStrance(const std::u16string&, const TKodovaStranka&) {
    return {};
}

const TKodovaStranka& ProcessCodePage() {
    static const TKodovaStranka stranka(std::to_string(GetACP()));
    return stranka;
}

} // namespace vantrel
