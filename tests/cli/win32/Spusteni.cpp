#include "../Spusteni.h"

#include "Pomocne.h"
#include "platforma/FaktaSouboru.h"
#include "platforma/Utf8.h"

#include <stdexcept>
#include <windows.h>

namespace vantrel::test {

namespace {

std::wstring Siroka(const std::string& utf8) {
    const std::u16string text = DekodujUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

// One argument as the C runtime's parser reads it back: quoted when it holds a blank or a
// quote or is empty; backslashes doubled only before a quote, a quote escaped.
std::wstring Argument(const std::wstring& a) {
    if (!a.empty() && a.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return a;
    std::wstring v = L"\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t lomitek = 0;
        for (; i < a.size() && a[i] == L'\\'; ++i)
            ++lomitek;
        if (i == a.size()) {
            v.append(2 * lomitek, L'\\');
            break;
        }
        if (a[i] == L'"')
            v.append(2 * lomitek + 1, L'\\');
        else
            v.append(lomitek, L'\\');
        v += a[i];
    }
    return v + L"\"";
}

// The build's paths mean nothing to the Windows side: the program lies beside the tests.
std::wstring Program() {
    const std::u16string test = platforma::CestaProgramu();
    const std::wstring cesta(test.begin(), test.end());
    return cesta.substr(0, cesta.find_last_of(L"\\/") + 1) + L"vantrel-join.exe";
}

// A handle that the started program inherits; closed with the object.
class THandleProDite {
public:
    THandleProDite(const std::string& cesta, DWORD pristup, DWORD dispozice) {
        SECURITY_ATTRIBUTES dedicny{sizeof dedicny, nullptr, TRUE};
        h_ = CreateFileW(Siroka(cesta).c_str(), pristup,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &dedicny,
                         dispozice, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h_ == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot open " + cesta);
    }
    ~THandleProDite() { CloseHandle(h_); }
    THandleProDite(const THandleProDite&) = delete;
    THandleProDite& operator=(const THandleProDite&) = delete;
    HANDLE Handle() const { return h_; }

private:
    HANDLE h_;
};

} // namespace

TBeh Spust(const std::vector<std::string>& argumenty, const std::string& stdoutSoubor,
           const std::string& stdinSoubor) {
    TDocasnaSlozka zachyt;
    const std::string out = stdoutSoubor.empty() ? zachyt.Soubor("stdout") : stdoutSoubor;
    // Appended, as >> appends: every write goes to the end, whoever else writes.
    const THandleProDite vystup(out, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                OPEN_ALWAYS);
    const THandleProDite chyby(zachyt.Soubor("stderr"), GENERIC_WRITE, CREATE_ALWAYS);
    const std::string in = stdinSoubor.empty() ? zachyt.Zapis("stdin", "") : stdinSoubor;
    const THandleProDite vstup(in, GENERIC_READ, OPEN_EXISTING);

    const std::wstring program = Program();
    std::wstring prikaz = Argument(program);
    for (const std::string& a : argumenty)
        prikaz += L" " + Argument(Siroka(a));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = vstup.Handle();
    si.hStdOutput = vystup.Handle();
    si.hStdError = chyby.Handle();
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program.c_str(), prikaz.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &si, &pi))
        throw std::runtime_error("cannot start vantrel-join.exe: error " +
                                 std::to_string(GetLastError()));
    CloseHandle(pi.hThread);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD kod = 0;
    TBeh beh;
    if (GetExitCodeProcess(pi.hProcess, &kod))
        beh.navrat = static_cast<int>(kod);
    CloseHandle(pi.hProcess);
    beh.vystup = stdoutSoubor.empty() ? PrectiSoubor(out) : "";
    beh.chyby = PrectiSoubor(zachyt.Soubor("stderr"));
    return beh;
}

// "žluť.txt" (code page 1250, not 1252), "日本語.txt" (the East Asian code pages only), "Příliš
// 😀.txt" (a blank, a character beyond the BMP).
std::vector<std::string> JmenaSouboru() {
    return {
        "\xC5\xBElu\xC5\xA5.txt",
        "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt",
        "P\xC5\x99\xC3\xADli\xC5\xA1 \xF0\x9F\x98\x80.txt",
    };
}

// Another process from the join's side: this one, holding the file as a writer or a reader
// that shares no writing does.
TDrzenySoubor::TDrzenySoubor(const std::string& cesta, bool kZapisu) {
    const HANDLE h = CreateFileW(Siroka(cesta).c_str(), kZapisu ? GENERIC_WRITE : GENERIC_READ,
                                 kZapisu ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot hold " + cesta);
    handle_ = reinterpret_cast<std::intptr_t>(h);
}

TDrzenySoubor::~TDrzenySoubor() {
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

} // namespace vantrel::test
