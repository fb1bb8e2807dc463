#pragma once

#include "win32/Okno.h"

namespace vantrel::okna {

// A dialog made at start-up and kept hidden, shown modally any number of times: centred over
// its owner, which is disabled meanwhile; Tab, Enter and Escape work as in the system's dialogs
// (Escape and the close box cancel). Laid out anew for the owner's DPI at each show.
class TDialog : public TOkno {
public:
    // IDOK or IDCANCEL.
    int ZobrazModalne(HWND vlastnik);
    bool Modalni() const { return bezi_; }

protected:
    using TOkno::TOkno;

    void VytvorDialog(DWORD exStyl, const std::u16string& titulek, HWND vlastnik);
    void Ukonci(int vysledek);

    // Lays the parts out for `dpi` (fonts included) and gives the client area's size.
    virtual SIZE Rozmisti(UINT dpi) = 0;
    // The control that has the focus when the dialog opens.
    virtual HWND PrvniFokus() const = 0;
    // The button that Enter presses.
    virtual int VychoziTlacitko() const = 0;

    LRESULT Zprava(UINT zprava, WPARAM w, LPARAM l) override;

    UINT dpi_ = DpiNavrhuDialogu;

private:
    static constexpr UINT DpiNavrhuDialogu = 96;
    SIZE Obrys(SIZE klient) const;

    DWORD styl_ = 0;
    DWORD exStyl_ = 0;
    bool bezi_ = false;
    int vysledek_ = IDCANCEL;
};

} // namespace vantrel::okna
