#include "platforma/KodovaStranka.h"

#include "platforma/Utf8.h"

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

constexpr char NahradniZnak = '?';

bool JmenoUtf8(std::string jmeno) {
    std::transform(jmeno.begin(), jmeno.end(), jmeno.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    jmeno.erase(std::remove(jmeno.begin(), jmeno.end(), '-'), jmeno.end());
    return jmeno.empty() || jmeno == "UTF8" || jmeno == "ANSI_X3.41968" || jmeno == "ASCII" ||
           jmeno == "USASCII" || jmeno == "POSIX" || jmeno == "C";
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
        return DekodujUtf8(data, delka);
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

std::u16string CestaVKodoveStrance(const std::u16string& cesta, const TKodovaStranka& stranka) {
    if (stranka.JeUtf8())
        return {};
    const std::size_t lomitko = cesta.rfind(u'/');
    const std::u16string jmeno = cesta.substr(lomitko == std::u16string::npos ? 0 : lomitko + 1);
    const std::string bajty = stranka.Koduj(jmeno);
    // Only a name the code page holds whole: '?' for a missing character would name another file.
    if (bajty == KodujUtf8(jmeno) || stranka.Dekoduj(bajty) != jmeno)
        return {};
    return cesta.substr(0, cesta.size() - jmeno.size()) + DekodujUtf8(bajty);
}

const TKodovaStranka& ProcessCodePage() {
    static const TKodovaStranka stranka(nl_langinfo(CODESET));
    return stranka;
}

} // namespace vantrel
