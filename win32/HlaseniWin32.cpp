#include "win32/HlaseniWin32.h"

#include "win32/NadVlastnikem.h"

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

// The system centres a box on the screen, which can be far from the window it belongs to: it is
// moved over its owner once it has laid itself out, before it is shown, so that a window manager
// maps it there and never sees it elsewhere.
thread_local HHOOK hakBoxu = nullptr;
thread_local HWND vlastnikBoxu = nullptr;

LRESULT CALLBACK PoZpraveBoxu(int kod, WPARAM w, LPARAM l) {
    const HHOOK hak = hakBoxu;
    const auto* zprava = reinterpret_cast<const CWPRETSTRUCT*>(l);
    if (kod == HC_ACTION && zprava->message == WM_INITDIALOG &&
        GetWindow(zprava->hwnd, GW_OWNER) == vlastnikBoxu) {
        RECT obrys{};
        GetWindowRect(zprava->hwnd, &obrys);
        const POINT misto =
            NadVlastnikem(vlastnikBoxu, {obrys.right - obrys.left, obrys.bottom - obrys.top});
        SetWindowPos(zprava->hwnd, nullptr, misto.x, misto.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        UnhookWindowsHookEx(hak);
        hakBoxu = nullptr;
    }
    return CallNextHookEx(hak, kod, w, l);
}

} // namespace

int THlaseniWin32::Ukaz(const std::u16string& text, const std::u16string& titulek,
                        int priznaky) const {
    const HWND vlastnik = Vlastnik(hlavniOkno_);
    if (vlastnik != nullptr) {
        vlastnikBoxu = vlastnik;
        hakBoxu = SetWindowsHookExW(WH_CALLWNDPROCRET, PoZpraveBoxu, nullptr, GetCurrentThreadId());
    }
    const int vysledek =
        MessageBoxW(vlastnik, reinterpret_cast<const wchar_t*>(text.c_str()),
                    reinterpret_cast<const wchar_t*>(titulek.c_str()), static_cast<UINT>(priznaky));
    // A box that was never made (the system refused it) leaves no hook behind.
    if (hakBoxu != nullptr) {
        UnhookWindowsHookEx(hakBoxu);
        hakBoxu = nullptr;
    }
    return vysledek;
}

} // namespace vantrel
