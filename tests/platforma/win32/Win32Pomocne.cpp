#include "Win32Pomocne.h"

#include <gtest/gtest.h>
#include <string>

namespace vantrel::test {

namespace {

const wchar_t* const PrepinacDrzitele = L"--drz-soubor";

std::wstring Dlouha(const std::wstring& cesta) {
    return cesta.size() < MAX_PATH - 12 ? cesta : L"\\\\?\\" + cesta;
}

void Smaz(const std::wstring& slozka) {
    WIN32_FIND_DATAW data;
    const HANDLE h = FindFirstFileW(Dlouha(slozka + L"\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring jmeno = data.cFileName;
            if (jmeno == L"." || jmeno == L"..")
                continue;
            const std::wstring cesta = slozka + L"\\" + jmeno;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                Smaz(cesta);
            else
                DeleteFileW(Dlouha(cesta).c_str());
        } while (FindNextFileW(h, &data));
        FindClose(h);
    }
    RemoveDirectoryW(Dlouha(slozka).c_str());
}

} // namespace

TDocasnaSlozka::TDocasnaSlozka() {
    wchar_t docasna[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, docasna);
    std::wstring zaklad(docasna, n);
    while (!zaklad.empty() && zaklad.back() == L'\\')
        zaklad.pop_back();
    for (unsigned i = 0;; ++i) {
        cesta_ = zaklad + L"\\vantrel-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(i);
        if (CreateDirectoryW(cesta_.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("no temporary folder");
    }
}

TDocasnaSlozka::~TDocasnaSlozka() {
    Smaz(cesta_);
}

std::wstring TDocasnaSlozka::Zapis(const std::wstring& jmeno, const std::string& bajty) const {
    const std::wstring cesta = Soubor(jmeno);
    const HANDLE h = CreateFileW(Dlouha(cesta).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD n = 0;
    EXPECT_TRUE(WriteFile(h, bajty.data(), static_cast<DWORD>(bajty.size()), &n, nullptr));
    CloseHandle(h);
    return cesta;
}

std::string PrectiSoubor(const std::wstring& cesta) {
    const HANDLE h =
        CreateFileW(Dlouha(cesta).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bajty;
    char blok[4096];
    DWORD n;
    while (ReadFile(h, blok, sizeof blok, &n, nullptr) && n > 0)
        bajty.append(blok, n);
    CloseHandle(h);
    return bajty;
}

// The second process is told its file, access and share mode on its command line, and the
// names of two events: one it sets once the file is open, one it waits for before it ends.
TDrzitel::TDrzitel(const std::wstring& cesta, DWORD pristup, DWORD sdileni) {
    static unsigned poradi = 0;
    const std::wstring jmeno = L"Local\\vantrel-drzitel-" + std::to_wstring(GetCurrentProcessId()) +
                               L"-" + std::to_wstring(++poradi);
    const HANDLE drzi = CreateEventW(nullptr, TRUE, FALSE, (jmeno + L"-drzi").c_str());
    pust_ = CreateEventW(nullptr, TRUE, FALSE, (jmeno + L"-pust").c_str());
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring prikaz = L"\"" + std::wstring(program) + L"\" " + PrepinacDrzitele + L" " +
                          std::to_wstring(pristup) + L" " + std::to_wstring(sdileni) + L" " +
                          jmeno + L" \"" + cesta + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program, prikaz.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        ADD_FAILURE() << "CreateProcessW: " << GetLastError();
        CloseHandle(drzi);
        return;
    }
    CloseHandle(pi.hThread);
    proces_ = pi.hProcess;
    const HANDLE cekej[] = {drzi, proces_};
    const DWORD vysledek = WaitForMultipleObjects(2, cekej, FALSE, 60000);
    if (vysledek == WAIT_OBJECT_0) {
        chyba_ = 0;
    } else if (vysledek == WAIT_OBJECT_0 + 1) {
        GetExitCodeProcess(proces_, &chyba_);
    } else {
        ADD_FAILURE() << "the second process neither held the file nor ended";
    }
    CloseHandle(drzi);
}

TDrzitel::~TDrzitel() {
    if (pust_ != nullptr) {
        SetEvent(pust_);
        CloseHandle(pust_);
    }
    if (proces_ != nullptr) {
        WaitForSingleObject(proces_, 60000);
        CloseHandle(proces_);
    }
}

bool DrzSoubor(int argc, wchar_t** argv, int& kod) {
    if (argc != 6 || std::wstring(argv[1]) != PrepinacDrzitele)
        return false;
    const DWORD pristup = std::stoul(argv[2]);
    const DWORD sdileni = std::stoul(argv[3]);
    const std::wstring jmeno = argv[4];
    const HANDLE h = CreateFileW(argv[5], pristup, sdileni, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        kod = static_cast<int>(GetLastError());
        return true;
    }
    const HANDLE drzi = OpenEventW(EVENT_MODIFY_STATE, FALSE, (jmeno + L"-drzi").c_str());
    const HANDLE pust = OpenEventW(SYNCHRONIZE, FALSE, (jmeno + L"-pust").c_str());
    SetEvent(drzi);
    WaitForSingleObject(pust, 60000);
    CloseHandle(h);
    kod = 0;
    return true;
}

} // namespace vantrel::test
