#include "win32/ZkracenyText.h"

#include <algorithm>

namespace vantrel::okna {

namespace {

constexpr char16_t Vypustka[] = u"\u2026";

bool JeDruhaPulka(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// The first `n` units of `text`, never half of a surrogate pair.
std::u16string Zacatek(const std::u16string& text, std::size_t n) {
    if (n > 0 && n < text.size() && JeDruhaPulka(text[n]))
        --n;
    return text.substr(0, n);
}

std::u16string Konec(const std::u16string& text, std::size_t n) {
    std::size_t od = text.size() - n;
    if (od > 0 && od < text.size() && JeDruhaPulka(text[od]))
        ++od;
    return text.substr(od);
}

// The largest n in [0, nejvic] for which `vejde(n)` holds (it holds for all smaller ones), or
// -1 when it holds for none.
template <typename F> long Nejvic(std::size_t nejvic, F vejde) {
    long od = -1, po = static_cast<long>(nejvic);
    while (od < po) {
        const long stred = od + (po - od + 1) / 2;
        if (vejde(static_cast<std::size_t>(stred)))
            od = stred;
        else
            po = stred - 1;
    }
    return od;
}

// `text` shortened in its middle to fit `sirka`; empty when not even the ellipsis fits.
std::u16string UprostredZkraceny(const std::u16string& text, int sirka,
                                 const TSirkaTextu& sirkaTextu) {
    if (sirkaTextu(text) <= sirka || text.empty())
        return text;
    const auto zkraceny = [&](std::size_t n) {
        return Zacatek(text, (n + 1) / 2) + Vypustka + Konec(text, n / 2);
    };
    const long n =
        Nejvic(text.size() - 1, [&](std::size_t n) { return sirkaTextu(zkraceny(n)) <= sirka; });
    return n < 0 ? std::u16string() : zkraceny(static_cast<std::size_t>(n));
}

std::u16string NaKonciZkraceny(const std::u16string& text, int sirka,
                               const TSirkaTextu& sirkaTextu) {
    if (sirkaTextu(text) <= sirka || text.empty())
        return text;
    const long n = Nejvic(text.size() - 1, [&](std::size_t n) {
        return sirkaTextu(Zacatek(text, n) + Vypustka) <= sirka;
    });
    return n < 0 ? std::u16string() : Zacatek(text, static_cast<std::size_t>(n)) + Vypustka;
}

} // namespace

std::u16string ZkracenyText(const std::u16string& zacatek, const std::u16string& jmeno,
                            const std::u16string& konec, int sirka, const TSirkaTextu& sirkaTextu) {
    const std::u16string cely = zacatek + jmeno + konec;
    if (sirkaTextu(cely) <= sirka)
        return cely;
    const int zbyva = sirka - sirkaTextu(konec);
    if (!jmeno.empty()) {
        const std::u16string kratke =
            UprostredZkraceny(jmeno, zbyva - sirkaTextu(zacatek), sirkaTextu);
        const std::u16string text = zacatek + kratke + konec;
        if (!kratke.empty() && sirkaTextu(text) <= sirka)
            return text;
    }
    return NaKonciZkraceny(zacatek + jmeno, std::max(0, zbyva), sirkaTextu) + konec;
}

} // namespace vantrel::okna
