#pragma once

#include "pravidla/HlavniOkno.h"
#include "win32/Win32.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace vantrel::okna {

// livSoubory: the file list in report mode, four columns, whole rows selected, several at once,
// the row's state image (imlSoubory) at its start; never sorted, edited or reordered. Each row
// keeps the path that the join opens.
class TSeznamSouboru {
public:
    void Vytvor(HWND rodic);
    HWND Handle() const { return seznam_; }

    // The designed column widths at `meritko`, the date column at least as wide as a whole
    // time stamp in `pismo`; the images for the rows.
    void NastavMeritko(double meritko, HFONT pismo, HIMAGELIST obrazky);

    int Pocet() const;
    std::u16string Cesta(int radek) const;
    void Pridej(const TPolozkaSouboru& radek);
    int Stav(int radek) const;
    void NastavStav(int radek, TStavRadku stav);
    bool MaVybrane() const;
    // Removals raise none of the list's own updates: the rules update afterwards.
    void OdstranVybrane();
    void OdstranVse();

    // What a WM_NOTIFY of the list tells: whether a row was added or changed, or its selection
    // or focus moved (livSouboryChange), and whether a row was selected or unselected
    // (livSouborySelectItem).
    struct TZmena {
        bool zmena = false;
        bool vyber = false;
    };
    TZmena Oznameni(const NMHDR& oznameni) const;

private:
    HWND seznam_ = nullptr;
    std::vector<std::u16string> cesty_;
    bool odstranuje_ = false;
};

} // namespace vantrel::okna
