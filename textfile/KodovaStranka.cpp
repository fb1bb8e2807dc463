#include "textfile/KodovaStranka.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <mutex>
#include <vector>

namespace vantrel {

namespace {

constexpr char16_t PrvniNahrada = 0xDC80;
constexpr char NahradniZnak = '?';

bool JeNahrada(char16_t u) {
    return u >= 0xDC80 && u <= 0xDCFF;
}

bool JmenoUtf8(std::string jmeno) {
    std::transform(jmeno.begin(), jmeno.end(), jmeno.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    jmeno.erase(std::remove(jmeno.begin(), jmeno.end(), '-'), jmeno.end());
    return jmeno.empty() || jmeno == "UTF8" || jmeno == "ANSI_X3.41968" || jmeno == "ASCII" ||
           jmeno == "USASCII" || jmeno == "POSIX" || jmeno == "C";
}

// Units never outnumber bytes: every decoded character or escape takes at least as many
// bytes as it yields UTF-16 units.
std::u16string DekodujUtf8(const unsigned char* s, std::size_t n) {
    std::u16string vysledek(n, u'\0');
    char16_t* out = vysledek.data();
    std::size_t i = 0;
    while (i < n) {
        unsigned c = s[i];
        if (c < 0x80) {
            *out++ = static_cast<char16_t>(c);
            ++i;
            continue;
        }
        std::size_t delka;
        std::uint32_t znak;
        std::uint32_t nejmensi;
        if (c >= 0xC2 && c <= 0xDF) {
            delka = 2, znak = c & 0x1F, nejmensi = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            delka = 3, znak = c & 0x0F, nejmensi = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            delka = 4, znak = c & 0x07, nejmensi = 0x10000;
        } else {
            *out++ = static_cast<char16_t>(PrvniNahrada + (c - 0x80));
            ++i;
            continue;
        }
        bool platny = i + delka <= n;
        for (std::size_t k = 1; platny && k < delka; ++k) {
            unsigned d = s[i + k];
            platny = (d & 0xC0) == 0x80;
            znak = (znak << 6) | (d & 0x3F);
        }
        platny =
            platny && znak >= nejmensi && znak <= 0x10FFFF && !(znak >= 0xD800 && znak <= 0xDFFF);
        if (!platny) {
            *out++ = static_cast<char16_t>(PrvniNahrada + (c - 0x80));
            ++i;
            continue;
        }
        if (znak >= 0x10000) {
            znak -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (znak >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (znak & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(znak);
        }
        i += delka;
    }
    vysledek.resize(static_cast<std::size_t>(out - vysledek.data()));
    return vysledek;
}

std::string KodujUtf8(const std::u16string& text) {
    std::string vysledek(text.size() * 3, '\0');
    char* out = vysledek.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t u = text[i];
        if (u < 0x80) {
            *out++ = static_cast<char>(u);
        } else if (u < 0x800) {
            *out++ = static_cast<char>(0xC0 | (u >> 6));
            *out++ = static_cast<char>(0x80 | (u & 0x3F));
        } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 &&
                   text[i + 1] <= 0xDFFF) {
            std::uint32_t znak = 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
            *out++ = static_cast<char>(0xF0 | (znak >> 18));
            *out++ = static_cast<char>(0x80 | ((znak >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((znak >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (znak & 0x3F));
        } else if (JeNahrada(static_cast<char16_t>(u))) {
            *out++ = static_cast<char>(u - PrvniNahrada + 0x80);
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            *out++ = NahradniZnak;
        } else {
            *out++ = static_cast<char>(0xE0 | (u >> 12));
            *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    vysledek.resize(static_cast<std::size_t>(out - vysledek.data()));
    return vysledek;
}

// One iconv conversion of a whole input; false when iconv refuses any part of it.
bool Preved(iconv_t cd, const char* vstup, std::size_t delka, char* vystup, std::size_t& misto) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(vstup);
    std::size_t zbyva = delka;
    char* out = vystup;
    std::size_t volno = misto;
    if (iconv(cd, &in, &zbyva, &out, &volno) == static_cast<std::size_t>(-1) || zbyva != 0)
        return false;
    if (iconv(cd, nullptr, nullptr, &out, &volno) == static_cast<std::size_t>(-1))
        return false;
    misto = static_cast<std::size_t>(out - vystup);
    return true;
}

} // namespace

struct TKodovaStranka::Impl {
    enum class Druh { Utf8, Tabulka, Obecny } druh = Druh::Utf8;

    // Single-byte codesets: a table each way, built once through iconv.
    std::array<char16_t, 256> dekodovani{};
    std::vector<std::int16_t> kodovani;

    // Multi-byte codesets other than UTF-8 go through iconv character by character.
    iconv_t zBajtu = reinterpret_cast<iconv_t>(-1);
    iconv_t doBajtu = reinterpret_cast<iconv_t>(-1);
    mutable std::mutex zamek;

    ~Impl() {
        if (zBajtu != reinterpret_cast<iconv_t>(-1))
            iconv_close(zBajtu);
        if (doBajtu != reinterpret_cast<iconv_t>(-1))
            iconv_close(doBajtu);
    }

    // Bytes of one character (a BMP unit or a surrogate pair) in the codeset, or false.
    bool KodujZnak(const char16_t* znak, std::size_t jednotek, std::string& bajty) const {
        char vstup[4];
        std::memcpy(vstup, znak, jednotek * 2);
        char vystup[16];
        std::size_t misto = sizeof vystup;
        if (!Preved(doBajtu, vstup, jednotek * 2, vystup, misto) || misto == 0)
            return false;
        bajty.assign(vystup, misto);
        return true;
    }

    void Postav(const std::string& codeset) {
        zBajtu = iconv_open("UTF-16LE", codeset.c_str());
        doBajtu = iconv_open(codeset.c_str(), "UTF-16LE");
        if (zBajtu == reinterpret_cast<iconv_t>(-1) || doBajtu == reinterpret_cast<iconv_t>(-1)) {
            // A codeset iconv does not know: bytes map to U+0000..U+00FF, which is lossless too.
            druh = Druh::Tabulka;
            kodovani.assign(0x10000, -1);
            for (int b = 0; b < 256; ++b) {
                dekodovani[b] = static_cast<char16_t>(b);
                kodovani[b] = static_cast<std::int16_t>(b);
            }
            return;
        }
        druh = Druh::Tabulka;
        kodovani.assign(0x10000, -1);
        for (int b = 0; b < 256 && druh == Druh::Tabulka; ++b) {
            char bajt = static_cast<char>(b);
            char* in = &bajt;
            std::size_t zbyva = 1;
            char16_t jednotky[2];
            char* out = reinterpret_cast<char*>(jednotky);
            std::size_t volno = sizeof jednotky;
            iconv(zBajtu, nullptr, nullptr, nullptr, nullptr);
            std::size_t r = iconv(zBajtu, &in, &zbyva, &out, &volno);
            if (r == static_cast<std::size_t>(-1) && errno == EINVAL) {
                druh = Druh::Obecny; // a lead byte of a longer sequence
                break;
            }
            std::string zpet;
            const bool prevedeno = r != static_cast<std::size_t>(-1) && volno == 2 &&
                                   !JeNahrada(jednotky[0]) && KodujZnak(jednotky, 1, zpet) &&
                                   zpet.size() == 1 && zpet[0] == bajt &&
                                   kodovani[jednotky[0]] == -1;
            if (!prevedeno) {
                // Escapes exist for bytes 0x80..0xFF only; the lower half stands for itself.
                dekodovani[b] = b < 0x80 ? static_cast<char16_t>(b)
                                         : static_cast<char16_t>(PrvniNahrada + b - 0x80);
                if (b < 0x80)
                    kodovani[b] = static_cast<std::int16_t>(b);
                continue;
            }
            dekodovani[b] = jednotky[0];
            kodovani[jednotky[0]] = static_cast<std::int16_t>(b);
        }
        if (druh == Druh::Obecny)
            kodovani.clear();
    }

    std::u16string DekodujObecne(const unsigned char* s, std::size_t n) const {
        std::lock_guard<std::mutex> z(zamek);
        std::u16string vysledek;
        vysledek.reserve(n);
        std::size_t i = 0;
        std::string zpet;
        while (i < n) {
            // Room for one unit first; a character outside the BMP needs the pair.
            bool prijat = false;
            for (std::size_t misto : {std::size_t{2}, std::size_t{4}}) {
                char16_t jednotky[2];
                char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(s + i));
                std::size_t zbyva = std::min<std::size_t>(n - i, 8);
                const std::size_t pred = zbyva;
                char* out = reinterpret_cast<char*>(jednotky);
                std::size_t volno = misto;
                iconv(zBajtu, nullptr, nullptr, nullptr, nullptr);
                iconv(zBajtu, &in, &zbyva, &out, &volno);
                const std::size_t snedeno = pred - zbyva;
                const std::size_t vyrobeno = (misto - volno) / 2;
                if (snedeno == 0 || vyrobeno == 0)
                    continue;
                if (!KodujZnak(jednotky, vyrobeno, zpet) || zpet.size() != snedeno ||
                    std::memcmp(zpet.data(), s + i, snedeno) != 0 || JeNahrada(jednotky[0]))
                    break;
                vysledek.append(jednotky, vyrobeno);
                i += snedeno;
                prijat = true;
                break;
            }
            if (!prijat) {
                vysledek.push_back(s[i] < 0x80 ? s[i]
                                               : static_cast<char16_t>(PrvniNahrada + s[i] - 0x80));
                ++i;
            }
        }
        return vysledek;
    }

    std::string KodujObecne(const std::u16string& text) const {
        std::lock_guard<std::mutex> z(zamek);
        std::string vysledek;
        vysledek.reserve(text.size() * 2);
        std::string bajty;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char16_t u = text[i];
            if (JeNahrada(u)) {
                vysledek.push_back(static_cast<char>(u - PrvniNahrada + 0x80));
                continue;
            }
            std::size_t jednotek = 1;
            if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF)
                jednotek = 2;
            if (KodujZnak(&text[i], jednotek, bajty))
                vysledek += bajty;
            else if (u < 0x80)
                vysledek.push_back(static_cast<char>(u));
            else
                vysledek.push_back(NahradniZnak);
            i += jednotek - 1;
        }
        return vysledek;
    }
};

TKodovaStranka::TKodovaStranka(const std::string& codeset)
    : nazev_(codeset), impl_(std::make_unique<Impl>()) {
    if (!JmenoUtf8(codeset))
        impl_->Postav(codeset);
}

TKodovaStranka::~TKodovaStranka() = default;

bool TKodovaStranka::JeUtf8() const {
    return impl_->druh == Impl::Druh::Utf8;
}

std::u16string TKodovaStranka::Dekoduj(const char* data, std::size_t delka) const {
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    switch (impl_->druh) {
    case Impl::Druh::Utf8:
        return DekodujUtf8(s, delka);
    case Impl::Druh::Tabulka: {
        std::u16string vysledek(delka, u'\0');
        for (std::size_t i = 0; i < delka; ++i)
            vysledek[i] = impl_->dekodovani[s[i]];
        return vysledek;
    }
    case Impl::Druh::Obecny:
        break;
    }
    return impl_->DekodujObecne(s, delka);
}

std::string TKodovaStranka::Koduj(const std::u16string& text) const {
    switch (impl_->druh) {
    case Impl::Druh::Utf8:
        return KodujUtf8(text);
    case Impl::Druh::Tabulka: {
        std::string vysledek(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            char16_t u = text[i];
            std::int16_t b = impl_->kodovani[u];
            if (JeNahrada(u))
                vysledek[i] = static_cast<char>(u - PrvniNahrada + 0x80);
            else
                vysledek[i] = b >= 0 ? static_cast<char>(b) : NahradniZnak;
        }
        return vysledek;
    }
    case Impl::Druh::Obecny:
        break;
    }
    return impl_->KodujObecne(text);
}

std::u16string DekodujCestu(const std::string& bajty) {
    return DekodujUtf8(reinterpret_cast<const unsigned char*>(bajty.data()), bajty.size());
}

std::string KodujCestu(const std::u16string& cesta) {
    return KodujUtf8(cesta);
}

std::u16string CitelnaCesta(const std::u16string& cesta, const TKodovaStranka& stranka) {
    std::u16string citelna;
    for (std::size_t i = 0; i < cesta.size();) {
        if (!JeNahrada(cesta[i])) {
            citelna += cesta[i++];
            continue;
        }
        std::string bajty;
        for (; i < cesta.size() && JeNahrada(cesta[i]); ++i)
            bajty += static_cast<char>(cesta[i] - PrvniNahrada + 0x80);
        for (char16_t znak : stranka.Dekoduj(bajty))
            citelna += JeNahrada(znak) ? u'\uFFFD' : znak;
    }
    return citelna;
}

std::u16string CestaVKodoveStrance(const std::u16string& cesta, const TKodovaStranka& stranka) {
    if (stranka.JeUtf8())
        return {};
    const std::size_t lomitko = cesta.rfind(u'/');
    const std::u16string jmeno = cesta.substr(lomitko == std::u16string::npos ? 0 : lomitko + 1);
    const std::string bajty = stranka.Koduj(jmeno);
    // Only a name the code page holds whole: '?' for a missing character would name another file.
    if (bajty == KodujCestu(jmeno) || stranka.Dekoduj(bajty) != jmeno)
        return {};
    return cesta.substr(0, cesta.size() - jmeno.size()) + DekodujCestu(bajty);
}

const TKodovaStranka& ProcessCodePage() {
    static const TKodovaStranka stranka(nl_langinfo(CODESET));
    return stranka;
}

} // namespace vantrel
