#pragma once

#include "lang/JazykyXML.h"
#include "win32/Dialog.h"
#include "win32/Komponenty.h"
#include "win32/Obrazky.h"
#include "win32/Pismo.h"

#include <string>
#include <vector>

namespace vantrel::okna {

// The language dialog JazykForm: the languages of the language file, one per row with its flag;
// OK is enabled while a row is selected. Made at start-up and kept; the rows are rebuilt each
// time it is opened.
class TJazykForm : public TDialog, public TFormularOkna, public TSeznamJazyku {
public:
    TJazykForm(const THlaseni& hlaseni, HWND vlastnik);

    // Fills the list (NactiJazyky, which preselects the current language) and shows the dialog
    // over its owner. On OK the chosen row's code and position. An error of the language file
    // propagates before the dialog is shown.
    bool Vyber(const TJazykXML& jazyk, std::u16string& kod, int& pozice);

    HWND livJazyk() const { return livJazyk_; }
    HWND btnOK() const { return btnOK_; }
    HWND btnStorno() const { return btnStorno_; }

    // TSeznamJazyku
    void Vymaz() override;
    void Pridej(const TPopisJazyka& jazyk) override;
    void Vyber(int radek) override;

protected:
    HWND OknoFormulare() const override { return Handle(); }
    SIZE Rozmisti(UINT dpi) override;
    HWND PrvniFokus() const override { return livJazyk_; }
    int VychoziTlacitko() const override { return IDOK; }
    LRESULT Zprava(UINT zprava, WPARAM w, LPARAM l) override;

private:
    // OK is enabled exactly while a row is selected.
    void livJazykSelectItem();

    HWND livJazyk_ = nullptr;
    HWND btnOK_ = nullptr;
    HWND btnStorno_ = nullptr;
    // The rows' codes, as the language file spells them.
    std::vector<std::u16string> kody_;
    TSeznamObrazku ilVlajky_;
    TPismo pismo_;
};

} // namespace vantrel::okna
