#include "win32/HlaseniWin32.h"

#include <windows.h>

namespace vantrel {

namespace {

// Whether `okno` is a window the user can answer that stands over `hlavni`: owned by it,
// directly or through the windows it owns.
bool NadHlavnimOknem(HWND okno, HWND hlavni) {
    if (okno == nullptr || okno == hlavni || !IsWindowVisible(okno) || !IsWindowEnabled(okno))
        return false;
    for (HWND vlastnik = GetWindow(okno, GW_OWNER); vlastnik != nullptr;
         vlastnik = GetWindow(vlastnik, GW_OWNER)) {
        if (vlastnik == hlavni)
            return true;
    }
    return false;
}

struct THledani {
    HWND hlavni;
    HWND nalezene;
};

BOOL CALLBACK HledejNadHlavnim(HWND okno, LPARAM parametr) {
    auto* hledani = reinterpret_cast<THledani*>(parametr);
    if (!NadHlavnimOknem(okno, hledani->hlavni))
        return TRUE;
    hledani->nalezene = okno;
    return FALSE;
}

HWND Vlastnik(HWND hlavni) {
    if (hlavni == nullptr || !IsWindow(hlavni) || !IsWindowVisible(hlavni))
        return nullptr;
    // A modal window disables the window it stands over.
    if (IsWindowEnabled(hlavni))
        return hlavni;
    if (const HWND aktivni = GetActiveWindow(); NadHlavnimOknem(aktivni, hlavni))
        return aktivni;
    THledani hledani{hlavni, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), HledejNadHlavnim, reinterpret_cast<LPARAM>(&hledani));
    return hledani.nalezene != nullptr ? hledani.nalezene : hlavni;
}

} // namespace

int THlaseniWin32::Ukaz(const std::u16string& text, const std::u16string& titulek,
                        int priznaky) const {
    return MessageBoxW(Vlastnik(hlavniOkno_), reinterpret_cast<const wchar_t*>(text.c_str()),
                       reinterpret_cast<const wchar_t*>(titulek.c_str()),
                       static_cast<UINT>(priznaky));
}

} // namespace vantrel
