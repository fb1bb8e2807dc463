#include "platforma/posix/FormatRegistru.h"

#include "platforma/RegistrSpolecne.h"
#include "platforma/Utf8.h"

#include <cstdio>

namespace vantrel {

using platforma::registr::CelyKlic;

namespace {

const char* const kHlavicka = "Windows Registry Editor Version 5.00";

char Mala(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Key and value names compare case-insensitively, as in the registry.
bool StejneJmeno(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Mala(a[i]) != Mala(b[i]))
            return false;
    return true;
}

bool ZacinaNa(const std::string& s, const std::string& zacatek) {
    return s.size() >= zacatek.size() && StejneJmeno(s.substr(0, zacatek.size()), zacatek);
}

bool Mezera(char c) {
    return c == ' ' || c == '\t';
}

std::string BezKoncovychMezer(const std::string& s) {
    std::size_t n = s.size();
    while (n > 0 && Mezera(s[n - 1]))
        --n;
    return s.substr(0, n);
}

int HexCislice(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = Mala(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string Utf8NaUtf16le(const std::string& s) {
    std::u16string text;
    Utf8NaUtf16(s, text);
    std::string bajty;
    bajty.reserve(text.size() * 2);
    for (char16_t u : text) {
        bajty += static_cast<char>(u & 0xFF);
        bajty += static_cast<char>(u >> 8);
    }
    return bajty;
}

bool Utf16leNaUtf8(const std::string& b, std::string& ven) {
    if (b.size() % 2 != 0)
        return false;
    std::u16string text(b.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(b[2 * i]) |
                                        static_cast<unsigned char>(b[2 * i + 1]) << 8);
    return Utf16NaUtf8(text, ven);
}

namespace {

// Reads a quoted name or string starting at s[p] == '"'; p ends after the closing quote.
// Only \\ and \" are escapes; another backslash stands for itself, as a hand edit would mean it.
std::string CtiUvozovky(const std::string& s, std::size_t& p) {
    ++p;
    std::string ven;
    while (p < s.size()) {
        const char c = s[p];
        if (c == '"') {
            ++p;
            return ven;
        }
        if (c == '\\' && p + 1 < s.size() && (s[p + 1] == '\\' || s[p + 1] == '"')) {
            ven += s[p + 1];
            p += 2;
            continue;
        }
        ven += c;
        ++p;
    }
    throw ENeplatnyFormat{};
}

void PreskocMezery(const std::string& s, std::size_t& p) {
    while (p < s.size() && Mezera(s[p]))
        ++p;
}

void JenMezeryDoKonce(const std::string& s, std::size_t p) {
    PreskocMezery(s, p);
    if (p != s.size())
        throw ENeplatnyFormat{};
}

// Parses the value that starts at line i; returns the number of lines it takes.
std::size_t CtiHodnotu(const std::vector<TRadekRegistru>& radky, std::size_t i,
                       THodnotaRegistru& h) {
    const std::string& s = radky[i].text;
    std::size_t p = 0;
    PreskocMezery(s, p);
    if (p < s.size() && s[p] == '@') {
        h.jmeno.clear();
        ++p;
    } else if (p < s.size() && s[p] == '"') {
        h.jmeno = CtiUvozovky(s, p);
    } else {
        throw ENeplatnyFormat{};
    }
    PreskocMezery(s, p);
    if (p >= s.size() || s[p] != '=')
        throw ENeplatnyFormat{};
    ++p;
    PreskocMezery(s, p);
    const std::string zbytek = s.substr(p);

    if (!zbytek.empty() && zbytek[0] == '"') {
        std::size_t q = 0;
        const std::string text = CtiUvozovky(zbytek, q);
        JenMezeryDoKonce(zbytek, q);
        h.typ = thSz;
        h.data = Utf8NaUtf16le(text) + std::string(2, '\0');
        return 1;
    }
    if (ZacinaNa(zbytek, "dword:")) {
        const std::string cislice = BezKoncovychMezer(zbytek.substr(6));
        if (cislice.empty() || cislice.size() > 8)
            throw ENeplatnyFormat{};
        std::uint32_t v = 0;
        for (char c : cislice) {
            const int d = HexCislice(c);
            if (d < 0)
                throw ENeplatnyFormat{};
            v = (v << 4) | static_cast<std::uint32_t>(d);
        }
        h.typ = thDword;
        h.data.clear();
        for (int k = 0; k < 4; ++k)
            h.data += static_cast<char>((v >> (8 * k)) & 0xFF);
        return 1;
    }
    if (!ZacinaNa(zbytek, "hex"))
        throw ENeplatnyFormat{};
    std::size_t q = 3;
    h.typ = thBinary;
    if (q < zbytek.size() && zbytek[q] == '(') {
        const std::size_t zavorka = zbytek.find(')', q);
        if (zavorka == std::string::npos || zavorka == q + 1 || zavorka - q - 1 > 8)
            throw ENeplatnyFormat{};
        std::uint32_t typ = 0;
        for (std::size_t k = q + 1; k < zavorka; ++k) {
            const int d = HexCislice(zbytek[k]);
            if (d < 0)
                throw ENeplatnyFormat{};
            typ = (typ << 4) | static_cast<std::uint32_t>(d);
        }
        h.typ = typ;
        q = zavorka + 1;
    }
    if (q >= zbytek.size() || zbytek[q] != ':')
        throw ENeplatnyFormat{};

    // Gather the byte list over continuation lines (a trailing backslash).
    std::string seznam;
    std::string kus = BezKoncovychMezer(zbytek.substr(q + 1));
    std::size_t pocet = 1;
    while (!kus.empty() && kus.back() == '\\') {
        kus.pop_back();
        seznam += kus;
        if (i + pocet >= radky.size())
            throw ENeplatnyFormat{};
        kus = BezKoncovychMezer(radky[i + pocet].text);
        ++pocet;
    }
    seznam += kus;

    h.data.clear();
    std::size_t z = 0;
    PreskocMezery(seznam, z);
    if (z == seznam.size())
        return pocet;
    while (true) {
        PreskocMezery(seznam, z);
        int bajt = 0, cislic = 0;
        while (z < seznam.size() && HexCislice(seznam[z]) >= 0 && cislic < 2) {
            bajt = bajt * 16 + HexCislice(seznam[z]);
            ++z;
            ++cislic;
        }
        if (cislic == 0)
            throw ENeplatnyFormat{};
        h.data += static_cast<char>(bajt);
        PreskocMezery(seznam, z);
        if (z == seznam.size())
            break;
        if (seznam[z] != ',')
            throw ENeplatnyFormat{};
        ++z;
    }
    return pocet;
}

std::string Escapuj(const std::string& s) {
    std::string ven;
    for (char c : s) {
        if (c == '\\' || c == '"')
            ven += '\\';
        ven += c;
    }
    return ven;
}

// The lines of one value as the export format writes them: hex lists wrap before 80 columns.
std::vector<std::string> RadkyHodnoty(const std::string& jmeno, std::uint32_t typ,
                                      const std::string& data) {
    const std::string nazev = jmeno.empty() ? std::string("@") : "\"" + Escapuj(jmeno) + "\"";
    char buf[32];
    if (typ == thDword && data.size() == 4) {
        std::uint32_t v = 0;
        for (int k = 3; k >= 0; --k)
            v = (v << 8) | static_cast<unsigned char>(data[k]);
        std::snprintf(buf, sizeof buf, "dword:%08x", v);
        return {nazev + "=" + buf};
    }
    if (typ == thSz) {
        std::string text;
        const bool sTerminatorem =
            data.size() >= 2 && data[data.size() - 1] == '\0' && data[data.size() - 2] == '\0';
        if (sTerminatorem && Utf16leNaUtf8(data.substr(0, data.size() - 2), text) &&
            text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos)
            return {nazev + "=\"" + Escapuj(text) + "\""};
    }
    std::string radek = nazev + "=";
    if (typ == thBinary) {
        radek += "hex:";
    } else {
        std::snprintf(buf, sizeof buf, "hex(%x):", typ);
        radek += buf;
    }
    std::vector<std::string> radky;
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(data[i]));
        radek += buf;
        if (i + 1 < data.size()) {
            radek += ',';
            if (radek.size() > 76) {
                radky.push_back(radek + "\\");
                radek = "  ";
            }
        }
    }
    radky.push_back(radek);
    return radky;
}

} // namespace

TObsahRegistru RozeberRegistr(const std::string& soubor, const std::string& klic) {
    TObsahRegistru obsah;
    std::string bajty;
    if (soubor.compare(0, 2, "\xFF\xFE") == 0) {
        if (!Utf16leNaUtf8(soubor.substr(2), bajty))
            throw ENeplatnyFormat{};
        obsah.kodovani = TKodovani::Utf16le;
    } else if (soubor.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        bajty = soubor.substr(3);
        obsah.kodovani = TKodovani::Utf8Bom;
    } else {
        bajty = soubor;
    }
    if (!PlatneUtf8(bajty))
        throw ENeplatnyFormat{};

    auto& radky = obsah.radky;
    std::size_t zacatek = 0;
    while (zacatek < bajty.size()) {
        const std::size_t nl = bajty.find('\n', zacatek);
        TRadekRegistru r;
        if (nl == std::string::npos) {
            r.text = bajty.substr(zacatek);
            zacatek = bajty.size();
        } else {
            r.text = bajty.substr(zacatek, nl - zacatek);
            r.konec = "\n";
            if (!r.text.empty() && r.text.back() == '\r') {
                r.text.pop_back();
                r.konec = "\r\n";
            }
            zacatek = nl + 1;
        }
        radky.push_back(std::move(r));
    }
    if (radky.empty() || BezKoncovychMezer(radky[0].text) != kHlavicka)
        throw ENeplatnyFormat{};
    if (!radky[0].konec.empty())
        obsah.konecRadku = radky[0].konec;

    const std::string hledany = CelyKlic(klic);
    bool vNasi = false;
    for (std::size_t i = 1; i < radky.size();) {
        const std::string s = BezKoncovychMezer(radky[i].text);
        std::size_t p = 0;
        PreskocMezery(s, p);
        if (p == s.size() || s[p] == ';') {
            ++i;
            continue;
        }
        if (s[p] == '[') {
            if (s.back() != ']')
                throw ENeplatnyFormat{};
            TSekceRegistru sekce{s.substr(p + 1, s.size() - p - 2), i + 1};
            vNasi = StejneJmeno(sekce.klic, hledany);
            if (vNasi || ZacinaNa(sekce.klic, hledany + "\\"))
                obsah.klicExistuje = true;
            if (vNasi)
                obsah.nase.push_back(obsah.sekce.size());
            obsah.sekce.push_back(sekce);
            ++i;
            continue;
        }
        if (obsah.sekce.empty())
            throw ENeplatnyFormat{};
        std::size_t pocet = 1;
        if (vNasi) {
            THodnotaRegistru h;
            pocet = CtiHodnotu(radky, i, h);
            h.prvniRadek = i;
            h.pocetRadku = pocet;
            obsah.hodnoty.push_back(std::move(h));
        }
        i += pocet;
        obsah.sekce.back().konecHodnot = i;
    }
    return obsah;
}

TObsahRegistru NovyRegistr(const std::string& klic, const std::string& poznamka) {
    std::string text = std::string(kHlavicka) + "\n\n";
    if (!poznamka.empty())
        text += "; " + poznamka + "\n\n";
    return RozeberRegistr(text, klic);
}

std::string SlozRegistr(const TObsahRegistru& obsah) {
    std::string text;
    for (const auto& r : obsah.radky)
        text += r.text + r.konec;
    switch (obsah.kodovani) {
    case TKodovani::Utf8:
        break;
    case TKodovani::Utf8Bom:
        return "\xEF\xBB\xBF" + text;
    case TKodovani::Utf16le:
        return "\xFF\xFE" + Utf8NaUtf16le(text);
    }
    return text;
}

const THodnotaRegistru* NajdiHodnotu(const TObsahRegistru& obsah, const std::string& jmeno) {
    for (auto it = obsah.hodnoty.rbegin(); it != obsah.hodnoty.rend(); ++it)
        if (StejneJmeno(it->jmeno, jmeno))
            return &*it;
    return nullptr;
}

void NastavHodnotu(TObsahRegistru& obsah, const std::string& klic, const std::string& jmeno,
                   std::uint32_t typ, const std::string& data) {
    const std::vector<std::string> nove = RadkyHodnoty(jmeno, typ, data);
    auto& radky = obsah.radky;
    const std::string nl = obsah.konecRadku;
    auto vloz = [&](std::size_t kde) {
        if (kde > 0 && radky[kde - 1].konec.empty())
            radky[kde - 1].konec = nl;
        std::vector<TRadekRegistru> vkladane;
        for (const auto& t : nove)
            vkladane.push_back({t, nl});
        radky.insert(radky.begin() + static_cast<std::ptrdiff_t>(kde), vkladane.begin(),
                     vkladane.end());
    };

    if (const THodnotaRegistru* stara = NajdiHodnotu(obsah, jmeno)) {
        const std::size_t kde = stara->prvniRadek;
        const std::string konec = radky[kde + stara->pocetRadku - 1].konec;
        radky.erase(radky.begin() + static_cast<std::ptrdiff_t>(kde),
                    radky.begin() + static_cast<std::ptrdiff_t>(kde + stara->pocetRadku));
        vloz(kde);
        radky[kde + nove.size() - 1].konec = konec;
    } else if (!obsah.nase.empty()) {
        vloz(obsah.sekce[obsah.nase.back()].konecHodnot);
    } else {
        if (radky.back().konec.empty())
            radky.back().konec = nl;
        if (!BezKoncovychMezer(radky.back().text).empty())
            radky.push_back({"", nl});
        radky.push_back({"[" + CelyKlic(klic) + "]", nl});
        vloz(radky.size());
        radky.push_back({"", nl});
    }
}

bool PlatneJmeno(const std::string& jmeno) {
    return PlatneUtf8(jmeno) && jmeno.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

} // namespace vantrel
