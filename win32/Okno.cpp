#include "win32/Okno.h"

#include "win32/ChybaAplikace.h"
#include "win32/Obrazky.h"

#include <set>
#include <string>

namespace vantrel::okna {

namespace {

void Registruj(const wchar_t* trida, WNDPROC procedura) {
    static std::set<std::wstring> registrovane;
    if (!registrovane.insert(trida).second)
        return;
    WNDCLASSEXW popis{};
    popis.cbSize = sizeof(popis);
    popis.style = CS_DBLCLKS;
    popis.lpfnWndProc = procedura;
    popis.hInstance = GetModuleHandleW(nullptr);
    popis.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    popis.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    popis.lpszClassName = trida;
    popis.hIcon = IkonaAplikace(GetSystemMetrics(SM_CXICON));
    popis.hIconSm = IkonaAplikace(GetSystemMetrics(SM_CXSMICON));
    RegisterClassExW(&popis);
}

} // namespace

TOkno::~TOkno() {
    if (okno_ != nullptr) {
        // The object is going: the window's last messages are the system's.
        SetWindowLongPtrW(okno_, GWLP_USERDATA, 0);
        DestroyWindow(okno_);
    }
}

void TOkno::Vytvor(const wchar_t* trida, DWORD exStyl, DWORD styl, const std::u16string& titulek,
                   HWND vlastnik, RECT obrys) {
    Registruj(trida, Procedura);
    CreateWindowExW(exStyl, trida, Siroky(titulek).c_str(), styl, obrys.left, obrys.top,
                    obrys.right - obrys.left, obrys.bottom - obrys.top, vlastnik, nullptr,
                    GetModuleHandleW(nullptr), this);
}

LRESULT TOkno::Zprava(UINT zprava, WPARAM w, LPARAM l) {
    return Vychozi(zprava, w, l);
}

LRESULT TOkno::Vychozi(UINT zprava, WPARAM w, LPARAM l) {
    return DefWindowProcW(okno_, zprava, w, l);
}

void TOkno::PriAktivaci(WPARAM w, HWND vychozi) {
    if (LOWORD(w) == WA_INACTIVE) {
        const HWND fokus = GetFocus();
        if (fokus != nullptr && IsChild(okno_, fokus))
            fokus_ = fokus;
    } else {
        SetFocus(fokus_ != nullptr && IsWindow(fokus_) ? fokus_ : vychozi);
    }
}

LRESULT CALLBACK TOkno::Procedura(HWND okno, UINT zprava, WPARAM w, LPARAM l) {
    if (zprava == WM_NCCREATE) {
        auto* objekt =
            static_cast<TOkno*>(reinterpret_cast<const CREATESTRUCTW*>(l)->lpCreateParams);
        objekt->okno_ = okno;
        SetWindowLongPtrW(okno, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(objekt));
    }
    auto* objekt = reinterpret_cast<TOkno*>(GetWindowLongPtrW(okno, GWLP_USERDATA));
    if (objekt == nullptr)
        return DefWindowProcW(okno, zprava, w, l);
    LRESULT vysledek = 0;
    Chranene(objekt->hlaseni_, [&] { vysledek = objekt->Zprava(zprava, w, l); });
    if (zprava == WM_NCDESTROY) {
        SetWindowLongPtrW(okno, GWLP_USERDATA, 0);
        objekt->okno_ = nullptr;
    }
    return vysledek;
}

} // namespace vantrel::okna
