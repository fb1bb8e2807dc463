#pragma once

#include "win32/Win32.h"

#include <commctrl.h>

namespace vantrel::okna {

// An image list of the program's icons, all of one size; destroyed with its holder.
class TSeznamObrazku {
public:
    TSeznamObrazku() = default;
    ~TSeznamObrazku() { Uvolni(); }
    TSeznamObrazku(TSeznamObrazku&& jiny) noexcept : seznam_(jiny.seznam_) {
        jiny.seznam_ = nullptr;
    }
    TSeznamObrazku& operator=(TSeznamObrazku&& jiny) noexcept;
    TSeznamObrazku(const TSeznamObrazku&) = delete;
    TSeznamObrazku& operator=(const TSeznamObrazku&) = delete;

    HIMAGELIST Handle() const { return seznam_; }
    int Pocet() const { return seznam_ != nullptr ? ImageList_GetImageCount(seznam_) : 0; }

    // imlMenu: the six action images (exit, add, remove, remove all, join, about), then the six
    // flags of Vlajky().
    static TSeznamObrazku Menu(int strana);
    // imlSoubory: the rows' states, 0 waiting and 1 joined.
    static TSeznamObrazku Soubory(int strana);
    // ilVlajky: 0 Czech, 1 British, 2 Slovak, 3 German, 4 French, 5 Spanish.
    static TSeznamObrazku Vlajky(int strana);

private:
    explicit TSeznamObrazku(HIMAGELIST seznam) : seznam_(seznam) {}
    static TSeznamObrazku ZIkon(const int* ikony, int pocet, int strana);
    void Uvolni();

    HIMAGELIST seznam_ = nullptr;
};

// The program's own icon at `strana` pixels (a shared icon: never destroyed).
HICON IkonaAplikace(int strana);

} // namespace vantrel::okna
