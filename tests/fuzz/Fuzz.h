#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

// Helpers shared by the fuzz targets: a broken rule is a crash, so that libFuzzer keeps the input.
namespace vantrel::fuzz {

[[noreturn]] inline void Selhani(const char* pravidlo) {
    std::fprintf(stderr, "fuzz: broken rule: %s\n", pravidlo);
    std::fflush(stderr);
    std::abort();
}

inline void Over(bool splneno, const char* pravidlo) {
    if (!splneno)
        Selhani(pravidlo);
}

// One temporary folder per process, removed at exit; the targets reuse its file names.
class TSlozka {
public:
    TSlozka() {
        std::string vzor = std::filesystem::temp_directory_path() / "vantrel-fuzz-XXXXXX";
        if (mkdtemp(vzor.data()) == nullptr)
            Selhani("a temporary folder can be created");
        cesta_ = vzor;
    }
    ~TSlozka() {
        std::error_code chyba;
        std::filesystem::remove_all(cesta_, chyba);
    }
    TSlozka(const TSlozka&) = delete;
    TSlozka& operator=(const TSlozka&) = delete;

    std::string Soubor(const std::string& jmeno) const { return cesta_ + "/" + jmeno; }
    const std::string& Cesta() const { return cesta_; }

    // Empties the folder, so that nothing of the last input stays.
    void Vyprazdni() const {
        std::error_code chyba;
        for (const auto& polozka : std::filesystem::directory_iterator(cesta_, chyba))
            std::filesystem::remove_all(polozka.path(), chyba);
    }

private:
    std::string cesta_;
};

inline const TSlozka& Slozka() {
    static const TSlozka slozka;
    return slozka;
}

inline std::string Zapis(const std::string& cesta, const std::string& bajty) {
    std::ofstream ven(cesta, std::ios::binary | std::ios::trunc);
    ven.write(bajty.data(), static_cast<std::streamsize>(bajty.size()));
    ven.close();
    Over(ven.good(), "the input file can be written");
    return cesta;
}

inline std::string Precti(const std::string& cesta) {
    std::ifstream vstup(cesta, std::ios::binary);
    Over(vstup.good(), "a file written by the code under test can be read back");
    return std::string(std::istreambuf_iterator<char>(vstup), std::istreambuf_iterator<char>());
}

} // namespace vantrel::fuzz
