#include "Pomocne.h"

#include "platforma/KodovaStranka.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace vantrel::test {

namespace {

std::filesystem::path Nativni(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

} // namespace

TDocasnaSlozka::TDocasnaSlozka() {
    std::random_device nahoda;
    const std::filesystem::path docasna = std::filesystem::temp_directory_path();
    for (int pokus = 0; pokus < 100; ++pokus) {
        const std::filesystem::path slozka = docasna / ("vantrel-test-" + std::to_string(nahoda()));
        std::error_code chyba;
        if (std::filesystem::create_directory(slozka, chyba)) {
            cesta_ = slozka.generic_u8string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TDocasnaSlozka::~TDocasnaSlozka() {
    std::error_code chyba;
    std::filesystem::permissions(Nativni(cesta_), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, chyba);
    std::filesystem::remove_all(Nativni(cesta_), chyba);
}

std::string TDocasnaSlozka::Zapis(const std::string& jmeno, const std::string& bajty) const {
    std::string cesta = Soubor(jmeno);
    std::ofstream(Nativni(cesta), std::ios::binary) << bajty;
    return cesta;
}

std::string PrectiSoubor(const std::string& cesta) {
    std::ifstream soubor(Nativni(cesta), std::ios::binary);
    std::ostringstream obsah;
    obsah << soubor.rdbuf();
    return obsah.str();
}

bool Existuje(const std::string& cesta) {
    std::error_code chyba;
    return std::filesystem::exists(Nativni(cesta), chyba);
}

std::u16string U16(const std::string& bajty) {
    return ProcessCodePage().Dekoduj(bajty);
}

std::string Bajty(const std::u16string& text) {
    return ProcessCodePage().Koduj(text);
}

std::string Citelne(const std::string& bajty) {
    std::string vysledek;
    for (unsigned char c : bajty) {
        if (c >= 32 && c < 127 && c != '\\') {
            vysledek.push_back(static_cast<char>(c));
        } else {
            char kod[8];
            std::snprintf(kod, sizeof kod, "\\x%02X", c);
            vysledek += kod;
        }
    }
    return vysledek;
}

} // namespace vantrel::test
