#include "platforma/RegistrSpolecne.h"

#include "platforma/Chyby.h"

namespace vantrel::platforma::registr {

std::string ChybaTypu(const std::string& jmeno) {
    return "Invalid data type for '" + jmeno + "'";
}

std::string ChybaCteni(const std::string& jmeno) {
    return "Failed to get data for '" + jmeno + "'";
}

std::string ChybaZapisu(const std::string& jmeno) {
    return "Failed to set data for '" + jmeno + "'";
}

std::string SDuvodem(const std::string& zprava, const std::string& duvod) {
    return duvod.empty() ? zprava : zprava + ": " + duvod;
}

std::string DuvodChyby(int kod) {
    const std::string popis = PopisChyby(kod);
    return popis.empty() ? "system error " + std::to_string(kod) : popis;
}

std::string NormalizujKlic(const std::string& klic) {
    std::string vysledek, cast;
    for (std::size_t i = 0; i <= klic.size(); ++i) {
        if (i == klic.size() || klic[i] == '\\') {
            if (!cast.empty())
                vysledek += (vysledek.empty() ? "" : "\\") + cast;
            cast.clear();
        } else {
            cast += klic[i];
        }
    }
    return vysledek;
}

std::string CelyKlic(const std::string& klic) {
    return klic.empty() ? std::string(Hive) : std::string(Hive) + "\\" + klic;
}

} // namespace vantrel::platforma::registr
