#pragma once

#include "Pomocne.h"
#include "textfile/Spojeni.h"

#include <string>
#include <vector>

namespace vantrel::test {

struct TVysledek {
    std::vector<std::size_t> hotove; // positions reported done
    int kod = 0;
    std::string zprava;
    std::ptrdiff_t soubor = 0;
};

inline TVysledek Spoj(const std::vector<std::string>& vstupy, const std::string& vystup,
                      std::uint32_t buffer = 0) {
    TVysledek vysledek;
    TSpojeni spojeni;
    for (const auto& v : vstupy)
        spojeni.Vstupy.push_back(U16(v));
    spojeni.Vystup = U16(vystup);
    spojeni.VelikostBufferu = buffer;
    spojeni.PoSouboru = [&](std::size_t i) { vysledek.hotove.push_back(i); };
    try {
        vantrel::Spoj(spojeni);
    } catch (const EChybaSpojeni& chyba) {
        vysledek.kod = chyba.Kod();
        vysledek.zprava = chyba.what();
        vysledek.soubor = chyba.Soubor();
    }
    return vysledek;
}

} // namespace vantrel::test
