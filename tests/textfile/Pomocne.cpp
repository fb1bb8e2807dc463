#include "Pomocne.h"

#include "platforma/KodovaStranka.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

namespace vantrel::test {

TDocasnaSlozka::TDocasnaSlozka() {
    std::string vzor = std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX";
    if (mkdtemp(vzor.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    cesta_ = vzor;
}

TDocasnaSlozka::~TDocasnaSlozka() {
    std::error_code chyba;
    std::filesystem::permissions(cesta_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, chyba);
    std::filesystem::remove_all(cesta_, chyba);
}

std::string TDocasnaSlozka::Zapis(const std::string& jmeno, const std::string& bajty) const {
    std::string cesta = Soubor(jmeno);
    std::ofstream(cesta, std::ios::binary) << bajty;
    return cesta;
}

std::string PrectiSoubor(const std::string& cesta) {
    std::ifstream soubor(cesta, std::ios::binary);
    std::ostringstream obsah;
    obsah << soubor.rdbuf();
    return obsah.str();
}

bool Existuje(const std::string& cesta) {
    struct stat udaje;
    return ::stat(cesta.c_str(), &udaje) == 0;
}

int PocetOtevrenychSouboru() {
    int pocet = 0;
    for ([[maybe_unused]] auto& polozka : std::filesystem::directory_iterator("/proc/self/fd"))
        ++pocet;
    return pocet;
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
