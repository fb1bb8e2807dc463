#pragma once

#include "win32/Komponenty.h"

#include <array>
#include <commctrl.h>
#include <string>

namespace vantrel::okna {

using TAkceOken = std::array<TAkceOkna, PocetAkci>;

// ActionToolBar1: a button for each action, with its image and caption beside it, separators
// as the action table places them, tooltips, painted in the desktop's menu-bar colour. Its
// buttons send WM_COMMAND with PrvniPrikaz + the action's position to the parent.
class TLista {
public:
    static constexpr int PrvniPrikaz = 1001;

    explicit TLista(TAkceOken& akce) : akce_(akce) {}

    void Vytvor(HWND rodic);
    HWND Handle() const { return lista_; }

    void NastavObrazky(HIMAGELIST obrazky);
    void NastavPismo(HFONT pismo);
    // Captions, images and enabled states as the actions hold them now.
    void Obnov();
    // The button of the action at `akce` enabled or not.
    void Povol(int akce, bool povolena);
    // Lays itself out across the parent's width (wrapping where the captions do not fit) and
    // gives its height.
    int Rozmisti();

    // The parent's WM_NOTIFY from the toolbar and its tooltips; false when not theirs.
    bool Oznameni(const NMHDR& oznameni, LRESULT& vysledek);
    // The action whose access key is `znak` (Alt+letter), or -1.
    int AkceKlavesy(wchar_t znak) const;

private:
    // The tooltip of the button of command `prikaz`, "hint (shortcut)"; null for another.
    const wchar_t* Tip(UINT_PTR prikaz);

    TAkceOken& akce_;
    HWND lista_ = nullptr;
    std::wstring tip_;
};

} // namespace vantrel::okna
