// The settings store's parser on untrusted bytes, as the program uses it: open the key, read
// every known value, then write one. EChybaRegistru is the expected answer to a faulty file.
// After the write the file must parse again with the new value, every line outside our key must
// survive in the file's own encoding, and an unparsable file must have been kept aside byte for
// byte (by the read that found it).

#include "Fuzz.h"
#include "platforma/Registr.h"
#include "platforma/posix/FormatRegistru.h"
#include "platforma/posix/SouborRegistru.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::fuzz {
namespace {

const char* const kCiselne[] = {"IndexObrazku", "Maximalni", "Vlevo", "Nahore", "Vyska", "Sirka"};
const std::string kNasKlic = "HKEY_CURRENT_USER\\Software\\Tarsk\\Vantrel";

std::vector<std::string> Radky(const std::string& bajty) {
    std::vector<std::string> radky;
    std::size_t zacatek = 0;
    while (zacatek < bajty.size()) {
        std::size_t nl = bajty.find('\n', zacatek);
        if (nl == std::string::npos)
            nl = bajty.size();
        std::string r = bajty.substr(zacatek, nl - zacatek);
        // A last line's CR becomes part of a line end once the store ends that line; the text
        // before it is what must survive.
        while (!r.empty() && r.back() == '\r')
            r.pop_back();
        radky.push_back(r);
        zacatek = nl + 1;
    }
    return radky;
}

std::string Orez(const std::string& s) {
    const auto mezera = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t a = 0, b = s.size();
    while (a < b && mezera(s[a]))
        ++a;
    while (b > a && mezera(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

bool NasKlic(const std::string& hlavicka) {
    const std::string klic = hlavicka.substr(1, hlavicka.size() - 2);
    return klic.size() == kNasKlic.size() &&
           std::equal(klic.begin(), klic.end(), kNasKlic.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// The lines outside sections of our key, in order.
std::vector<std::string> CiziRadky(const std::string& bajty) {
    std::vector<std::string> ven;
    bool vNasi = false;
    for (const std::string& r : Radky(bajty)) {
        const std::string s = Orez(r);
        if (s.size() >= 2 && s.front() == '[' && s.back() == ']')
            vNasi = NasKlic(s);
        if (!vNasi)
            ven.push_back(r);
    }
    return ven;
}

bool JePodposloupnost(const std::vector<std::string>& mala, const std::vector<std::string>& velka) {
    std::size_t i = 0;
    for (const std::string& r : velka)
        if (i < mala.size() && r == mala[i])
            ++i;
    return i == mala.size();
}

} // namespace
} // namespace vantrel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    using namespace vantrel::fuzz;
    // Files near the size limit are kept aside or refused a write; that is tested elsewhere.
    if (size > MaxVelikostRegistru / 2)
        return -1;
    const TSlozka& slozka = Slozka();
    slozka.Vyprazdni();
    const std::string puvodni(reinterpret_cast<const char*>(data), size);
    const std::string cesta = Zapis(slozka.Soubor("Vantrel.reg"), puvodni);

    bool citelny = true;
    std::vector<std::string> odlozene;
    {
        TRegistr registr(cesta);
        if (registr.OpenKey(TRegistr::KlicVantrel, false)) {
            try {
                if (registr.ValueExists("Jazyk"))
                    registr.ReadString("Jazyk");
            } catch (const EChybaRegistru&) {
                // the file, or only this value, is not readable: find out which below
            }
            for (const char* jmeno : kCiselne) {
                try {
                    if (registr.ValueExists(jmeno))
                        registr.ReadInteger(jmeno);
                } catch (const EChybaRegistru&) {
                }
            }
            try {
                registr.ValueExists("Jazyk");
            } catch (const EChybaRegistru&) {
                citelny = false;
            }
        }
        odlozene = registr.OdlozeneSoubory();
    }

    TRegistr registr(cesta);
    Over(registr.OpenKey(TRegistr::KlicVantrel, true), "the key opens for writing");
    try {
        registr.WriteString("Jazyk", "DE");
    } catch (const EChybaRegistru&) {
        Selhani("a write into a file we can read and replace succeeds");
    }

    TRegistr znovu(cesta);
    Over(znovu.OpenKey(TRegistr::KlicVantrel, false), "the key exists after the write");
    try {
        Over(znovu.ReadString("Jazyk") == "DE", "the written value reads back");
    } catch (const EChybaRegistru&) {
        Selhani("the file parses after the write");
    }

    const std::string zapsany = Precti(cesta);
    odlozene.insert(odlozene.end(), registr.OdlozeneSoubory().begin(),
                    registr.OdlozeneSoubory().end());
    if (!odlozene.empty()) {
        Over(odlozene.size() == 1, "one file kept aside");
        Over(Precti(odlozene[0]) == puvodni, "the kept file holds the old bytes");
    } else {
        std::string pred = puvodni, po = zapsany;
        if (puvodni.compare(0, 2, "\xFF\xFE") == 0) {
            Over(zapsany.compare(0, 2, "\xFF\xFE") == 0, "UTF-16LE stays UTF-16LE");
            Over(Utf16leNaUtf8(puvodni.substr(2), pred) && Utf16leNaUtf8(zapsany.substr(2), po),
                 "UTF-16LE text on both sides");
        } else if (puvodni.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            Over(zapsany.compare(0, 3, "\xEF\xBB\xBF") == 0, "the byte order mark stays");
            pred.erase(0, 3);
            po.erase(0, 3);
        }
        Over(JePodposloupnost(CiziRadky(pred), Radky(po)), "other keys' lines survive");
    }
    Over(citelny == odlozene.empty(), "a file is kept aside exactly when it cannot be parsed");
    return 0;
}
