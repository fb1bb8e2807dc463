// Reads vantrel.exe's main window from another process, as a tool of the desktop would: what
// X11 cannot tell of Win32 controls. Prints UTF-8 lines:
//   okno    the window's outer bounds "x,y wxh", then its client area's on the screen
//   seznam  per row of the file list its image (0 waiting, 1 joined) and its caption
//   stav    the status bar's count panel, then the join's report (its panel's tooltip: the
//           panel itself is drawn by the window)
//   box     the visible message box of the program: "hlavni" when the main window owns it,
//           "zadny" when nothing does, else "jiny"; then its title and its text
// Exit status 2 without a main window, 1 without a box.
// commctrl.h takes its types from windows.h.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {

constexpr int IdTextuBoxu = 0xFFFF; // the message text's static in a message box

void Vypis(const std::wstring& text) {
    const int delka = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(delka), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), delka,
                        nullptr, nullptr);
    utf8 += '\n';
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

std::wstring TextOkna(HWND okno) {
    std::vector<wchar_t> text(
        static_cast<std::size_t>(SendMessageW(okno, WM_GETTEXTLENGTH, 0, 0) + 1));
    SendMessageW(okno, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::wstring Trida(HWND okno) {
    wchar_t trida[64] = {};
    GetClassNameW(okno, trida, 64);
    return trida;
}

// Memory in the program's process: the controls' messages that take a pointer read and write
// through it there.
class TCiziPamet {
public:
    TCiziPamet(HWND okno, std::size_t velikost) : velikost_(velikost) {
        DWORD id = 0;
        GetWindowThreadProcessId(okno, &id);
        proces_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (proces_ != nullptr)
            adresa_ = VirtualAllocEx(proces_, nullptr, velikost, MEM_COMMIT, PAGE_READWRITE);
    }
    ~TCiziPamet() {
        if (adresa_ != nullptr)
            VirtualFreeEx(proces_, adresa_, 0, MEM_RELEASE);
        if (proces_ != nullptr)
            CloseHandle(proces_);
    }
    TCiziPamet(const TCiziPamet&) = delete;
    TCiziPamet& operator=(const TCiziPamet&) = delete;

    bool Platna() const { return adresa_ != nullptr; }
    char* Adresa(std::size_t posun = 0) const { return static_cast<char*>(adresa_) + posun; }
    void Zapis(const void* data, std::size_t velikost) const {
        WriteProcessMemory(proces_, adresa_, data, velikost, nullptr);
    }
    std::vector<char> Cti() const {
        std::vector<char> data(velikost_);
        ReadProcessMemory(proces_, adresa_, data.data(), velikost_, nullptr);
        return data;
    }

private:
    HANDLE proces_ = nullptr;
    void* adresa_ = nullptr;
    std::size_t velikost_;
};

constexpr std::size_t ZnakuTextu = 1024;

// A text the control writes into a buffer given with the message.
std::wstring CiziText(HWND okno, UINT zprava, WPARAM w) {
    TCiziPamet pamet(okno, ZnakuTextu * sizeof(wchar_t));
    if (!pamet.Platna())
        return L"?";
    const wchar_t prazdny = 0;
    pamet.Zapis(&prazdny, sizeof(prazdny));
    SendMessageW(okno, zprava, w, reinterpret_cast<LPARAM>(pamet.Adresa()));
    std::vector<char> data = pamet.Cti();
    const auto* text = reinterpret_cast<const wchar_t*>(data.data());
    return std::wstring(text, wcsnlen(text, ZnakuTextu - 1));
}

HWND Potomek(HWND rodic, const wchar_t* trida) {
    return FindWindowExW(rodic, nullptr, trida, nullptr);
}

std::wstring Obdelnik(const RECT& r) {
    return std::to_wstring(r.left) + L',' + std::to_wstring(r.top) + L' ' +
           std::to_wstring(r.right - r.left) + L'x' + std::to_wstring(r.bottom - r.top);
}

int Okno(HWND hlavni) {
    RECT obrys{}, klient{};
    GetWindowRect(hlavni, &obrys);
    GetClientRect(hlavni, &klient);
    MapWindowPoints(hlavni, nullptr, reinterpret_cast<POINT*>(&klient), 2);
    Vypis(Obdelnik(obrys));
    Vypis(Obdelnik(klient));
    return 0;
}

int Seznam(HWND hlavni) {
    const HWND seznam = Potomek(hlavni, WC_LISTVIEWW);
    if (seznam == nullptr)
        return 2;
    const auto pocet = static_cast<int>(SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0));
    for (int radek = 0; radek < pocet; ++radek) {
        TCiziPamet pamet(seznam, sizeof(LVITEMW) + ZnakuTextu * sizeof(wchar_t));
        if (!pamet.Platna())
            return 2;
        LVITEMW polozka{};
        polozka.mask = LVIF_IMAGE | LVIF_TEXT;
        polozka.iItem = radek;
        polozka.pszText = reinterpret_cast<wchar_t*>(pamet.Adresa(sizeof(LVITEMW)));
        polozka.cchTextMax = ZnakuTextu;
        pamet.Zapis(&polozka, sizeof(polozka));
        SendMessageW(seznam, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pamet.Adresa()));
        const std::vector<char> data = pamet.Cti();
        std::memcpy(&polozka, data.data(), sizeof(polozka));
        const auto* text = reinterpret_cast<const wchar_t*>(data.data() + sizeof(LVITEMW));
        Vypis(std::to_wstring(polozka.iImage) + L' ' +
              std::wstring(text, wcsnlen(text, ZnakuTextu - 1)));
    }
    return 0;
}

int Stav(HWND hlavni) {
    const HWND radek = Potomek(hlavni, STATUSCLASSNAMEW);
    if (radek == nullptr)
        return 2;
    Vypis(CiziText(radek, SB_GETTEXTW, 0));
    Vypis(CiziText(radek, SB_GETTIPTEXTW, MAKEWPARAM(1, ZnakuTextu)));
    return 0;
}

struct THledaniBoxu {
    DWORD proces;
    HWND box;
};

BOOL CALLBACK HledejBox(HWND okno, LPARAM parametr) {
    auto* hledani = reinterpret_cast<THledaniBoxu*>(parametr);
    DWORD proces = 0;
    GetWindowThreadProcessId(okno, &proces);
    if (proces != hledani->proces || !IsWindowVisible(okno) || Trida(okno) != L"#32770" ||
        GetDlgItem(okno, IdTextuBoxu) == nullptr)
        return TRUE;
    hledani->box = okno;
    return FALSE;
}

int Box(HWND hlavni) {
    THledaniBoxu hledani{0, nullptr};
    GetWindowThreadProcessId(hlavni, &hledani.proces);
    EnumWindows(HledejBox, reinterpret_cast<LPARAM>(&hledani));
    if (hledani.box == nullptr)
        return 1;
    const HWND vlastnik = GetWindow(hledani.box, GW_OWNER);
    Vypis(vlastnik == hlavni ? L"hlavni" : vlastnik == nullptr ? L"zadny" : L"jiny");
    Vypis(TextOkna(hledani.box));
    Vypis(TextOkna(GetDlgItem(hledani.box, IdTextuBoxu)));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const HWND hlavni = FindWindowW(L"VantrelHlavniForm", nullptr);
    if (hlavni == nullptr || argc != 2)
        return 2;
    const std::string prikaz = argv[1];
    int kod = 2;
    if (prikaz == "okno")
        kod = Okno(hlavni);
    else if (prikaz == "seznam")
        kod = Seznam(hlavni);
    else if (prikaz == "stav")
        kod = Stav(hlavni);
    else if (prikaz == "box")
        kod = Box(hlavni);
    std::fflush(stdout);
    return kod;
}
