#include "win32/Dialog.h"

#include "win32/Dpi.h"
#include "win32/NadVlastnikem.h"

namespace vantrel::okna {

namespace {

constexpr wchar_t TridaDialogu[] = L"VantrelDialog";
// Not WS_CLIPCHILDREN: a frame control paints only its edges, the dialog what lies inside.
constexpr DWORD StylDialogu = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

} // namespace

void TDialog::VytvorDialog(DWORD exStyl, const std::u16string& titulek, HWND vlastnik) {
    styl_ = StylDialogu;
    exStyl_ = exStyl | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    Vytvor(TridaDialogu, exStyl_, styl_, titulek, vlastnik, RECT{0, 0, 0, 0});
}

SIZE TDialog::Obrys(SIZE klient) const {
    const RECT obrys = ObrysOkna(klient, styl_, exStyl_, dpi_);
    return {obrys.right - obrys.left, obrys.bottom - obrys.top};
}

int TDialog::ZobrazModalne(HWND vlastnik) {
    dpi_ = DpiOkna(vlastnik);
    const SIZE velikost = Obrys(Rozmisti(dpi_));
    // Centred over the owner on every show, and wholly on its monitor.
    const POINT misto = NadVlastnikem(vlastnik, velikost);
    SetWindowPos(Handle(), nullptr, misto.x, misto.y, velikost.cx, velikost.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    const HWND fokus = GetFocus();
    EnableWindow(vlastnik, FALSE);
    fokus_ = PrvniFokus();
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(fokus_);
    vysledek_ = IDCANCEL;
    bezi_ = true;
    MSG zprava;
    while (bezi_) {
        const BOOL r = GetMessageW(&zprava, nullptr, 0, 0);
        if (r == 0) {
            // The program is ending: the loop that waits for it gets the end as well.
            PostQuitMessage(static_cast<int>(zprava.wParam));
            break;
        }
        if (r == -1)
            break;
        if (!IsDialogMessageW(Handle(), &zprava)) {
            TranslateMessage(&zprava);
            DispatchMessageW(&zprava);
        }
    }
    bezi_ = false;
    // The owner is enabled before the dialog hides, so that it is activated again.
    EnableWindow(vlastnik, TRUE);
    ShowWindow(Handle(), SW_HIDE);
    SetActiveWindow(vlastnik);
    if (fokus != nullptr && IsWindow(fokus))
        SetFocus(fokus);
    return vysledek_;
}

void TDialog::Ukonci(int vysledek) {
    vysledek_ = vysledek;
    bezi_ = false;
}

LRESULT TDialog::Zprava(UINT zprava, WPARAM w, LPARAM l) {
    switch (zprava) {
    case WM_CLOSE:
        Ukonci(IDCANCEL);
        return 0;
    case WM_COMMAND:
        // Escape comes as IDCANCEL whether or not a button has that identifier.
        if (LOWORD(w) == IDCANCEL) {
            Ukonci(IDCANCEL);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        PriAktivaci(w, PrvniFokus());
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(VychoziTlacitko(), DC_HASDEFID);
    case WM_DPICHANGED: {
        dpi_ = HIWORD(w);
        const SIZE velikost = Obrys(Rozmisti(dpi_));
        const auto* navrh = reinterpret_cast<const RECT*>(l);
        SetWindowPos(Handle(), nullptr, navrh->left, navrh->top, velikost.cx, velikost.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default:
        break;
    }
    return Vychozi(zprava, w, l);
}

} // namespace vantrel::okna
