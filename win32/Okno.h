#pragma once

#include "win32/Win32.h"

namespace vantrel {
class THlaseni;
}

namespace vantrel::okna {

// A window bound to an object: its messages come to Zprava. Nothing that a handler raises
// crosses the system's window procedure: the general error report shows it, and the program
// goes on.
class TOkno {
public:
    explicit TOkno(const THlaseni& hlaseni) : hlaseni_(hlaseni) {}
    virtual ~TOkno();
    TOkno(const TOkno&) = delete;
    TOkno& operator=(const TOkno&) = delete;

    HWND Handle() const { return okno_; }

protected:
    // Creates the window, of the class `trida` (registered at its first use), hidden.
    void Vytvor(const wchar_t* trida, DWORD exStyl, DWORD styl, const std::u16string& titulek,
                HWND vlastnik, RECT obrys);

    virtual LRESULT Zprava(UINT zprava, WPARAM w, LPARAM l);
    LRESULT Vychozi(UINT zprava, WPARAM w, LPARAM l);

    // WM_ACTIVATE: the control with the focus keeps it while another window is active, and gets
    // it back (`vychozi` where none had it).
    void PriAktivaci(WPARAM w, HWND vychozi);

    const THlaseni& hlaseni_;
    HWND fokus_ = nullptr;

private:
    static LRESULT CALLBACK Procedura(HWND okno, UINT zprava, WPARAM w, LPARAM l);

    HWND okno_ = nullptr;
};

} // namespace vantrel::okna
