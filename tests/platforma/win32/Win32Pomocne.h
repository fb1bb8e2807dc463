#pragma once

#include "platforma/Soubory.h"

#include <string>
#include <windows.h>

// What the Windows tests of the platform layer share: wide paths, a folder of their own, and a
// second process that holds a file open.
namespace vantrel::test {

inline platforma::TCesta C(const std::wstring& cesta) {
    return platforma::TCesta(reinterpret_cast<const char16_t*>(cesta.data()), cesta.size());
}

// A fresh folder under the user's temporary folder, removed with everything in it.
class TDocasnaSlozka {
public:
    TDocasnaSlozka();
    ~TDocasnaSlozka();
    TDocasnaSlozka(const TDocasnaSlozka&) = delete;
    TDocasnaSlozka& operator=(const TDocasnaSlozka&) = delete;

    // The folder's full path, without a trailing backslash.
    const std::wstring& Cesta() const { return cesta_; }
    std::wstring Soubor(const std::wstring& jmeno) const { return cesta_ + L"\\" + jmeno; }
    // Writes the bytes to a file of the folder (a path of any length) and returns its path.
    std::wstring Zapis(const std::wstring& jmeno, const std::string& bajty) const;

private:
    std::wstring cesta_;
};

// The file's bytes read without the layer; "<missing>" when it cannot be opened.
std::string PrectiSoubor(const std::wstring& cesta);

// A second process (this test program started again) that opens a file with the given access
// and share mode and holds it until destroyed.
class TDrzitel {
public:
    TDrzitel(const std::wstring& cesta, DWORD pristup, DWORD sdileni);
    ~TDrzitel();
    TDrzitel(const TDrzitel&) = delete;
    TDrzitel& operator=(const TDrzitel&) = delete;
    // 0 once the file is held; otherwise the error of the second process's open.
    DWORD Chyba() const { return chyba_; }

private:
    HANDLE proces_ = nullptr;
    HANDLE pust_ = nullptr;
    DWORD chyba_ = ERROR_GEN_FAILURE;
};

// In the second process: holds the file as the arguments say; true when the arguments were
// for it, and `kod` is then the process's exit code.
bool DrzSoubor(int argc, wchar_t** argv, int& kod);

} // namespace vantrel::test
