#pragma once

#include "win32/Win32.h"

#include <string>

namespace vantrel::okna {

// StatusBar1: panel 0 holds the file count, as wide as designed or as its text needs; panel 1
// takes the rest and holds the join's report, the file name shortened in its middle where the
// panel lacks room (the whole report in the panel's tooltip then).
class TStavovyRadek {
public:
    void Vytvor(HWND rodic);
    HWND Handle() const { return radek_; }

    // The font and the designed width of panel 0 in pixels at the window's scale.
    void NastavPismo(HFONT pismo, int sirkaPocitadla);
    void NastavPocet(const std::u16string& text);
    void NastavZpravu(const std::u16string& zacatek, const std::u16string& jmeno,
                      const std::u16string& konec);
    // Follows the parent's size; gives the bar's height.
    int Rozmisti();
    // The parent's WM_DRAWITEM for panel 1; false when not the bar's.
    bool Kresli(const DRAWITEMSTRUCT& kresleni);

private:
    void NastavPanely();
    int SirkaTextu(const std::u16string& text) const;

    HWND radek_ = nullptr;
    HFONT pismo_ = nullptr;
    int sirkaPocitadla_ = 150;
    std::u16string pocet_;
    std::u16string zacatek_, jmeno_, konec_;
};

} // namespace vantrel::okna
