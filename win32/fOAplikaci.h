#pragma once

#include "win32/Dialog.h"
#include "win32/Komponenty.h"
#include "win32/Pismo.h"

#include <string>

namespace vantrel::okna {

// The about dialog OAplikaciForm: the product name, the running program's version, a one-line
// description and the maker's web address as a link. A small tool-window frame; laid out in
// design pixels at its scale, and wider or taller wherever its texts need it.
class TOAplikaciForm : public TDialog, public TFormularOkna {
public:
    // `cestaProgramu` is the executable whose version is shown; empty means the running one.
    TOAplikaciForm(const THlaseni& hlaseni, HWND vlastnik,
                   const std::u16string& cestaProgramu = {});

    HWND Label1() const { return Label1_; }
    HWND lblVerze() const { return lblVerze_; }
    HWND lblPopis() const { return lblPopis_; }
    HWND Label2() const { return Label2_; }
    HWND lblURL() const { return lblURL_; }
    HWND btnZavrit() const { return btnZavrit_; }

protected:
    HWND OknoFormulare() const override { return Handle(); }
    SIZE Rozmisti(UINT dpi) override;
    HWND PrvniFokus() const override { return btnZavrit_; }
    int VychoziTlacitko() const override { return IDCANCEL; }
    LRESULT Zprava(UINT zprava, WPARAM w, LPARAM l) override;

private:
    // Fills in the version once; it is not updated afterwards.
    void FormCreate(const std::u16string& cestaProgramu);
    // Opens the link's own text with the desktop's handler; a failure is not reported.
    void lblURLClick();

    HWND Label1_ = nullptr;
    HWND lblVerze_ = nullptr;
    HWND Bevel1_ = nullptr;
    HWND lblPopis_ = nullptr;
    HWND Label2_ = nullptr;
    HWND lblURL_ = nullptr;
    HWND btnZavrit_ = nullptr;
    TPismo pismo_, tucne_, nazev_;
};

} // namespace vantrel::okna
