#pragma once

#include <string>
#include <vector>

namespace vantrel::test {

// A fresh folder under the system's temporary folder, removed with everything in it. Paths here
// are UTF-8 with "/" between the parts, which every platform takes.
class TDocasnaSlozka {
public:
    TDocasnaSlozka();
    ~TDocasnaSlozka();
    TDocasnaSlozka(const TDocasnaSlozka&) = delete;
    TDocasnaSlozka& operator=(const TDocasnaSlozka&) = delete;

    const std::string& Cesta() const { return cesta_; }
    std::string Soubor(const std::string& jmeno) const { return cesta_ + "/" + jmeno; }
    // Writes the bytes to a file of the folder and returns its path.
    std::string Zapis(const std::string& jmeno, const std::string& bajty) const;

private:
    std::string cesta_;
};

std::string PrectiSoubor(const std::string& cesta);
bool Existuje(const std::string& cesta);
// Open handles of this process, to catch a leak (each platform's own source).
int PocetOtevrenychSouboru();
// A file that opens but whose reading fails, or "" where the platform has none at hand.
std::string SouborSChybouCteni();
std::u16string U16(const std::string& bajty); // through the process code page
std::string Bajty(const std::u16string& text);
// Non-printing bytes as \xNN, for failure messages.
std::string Citelne(const std::string& bajty);

} // namespace vantrel::test
