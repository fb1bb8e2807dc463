#include "win32/Obrazky.h"

#include "win32/Zdroje.h"

namespace vantrel::okna {

namespace {

constexpr int IkonyVlajek[] = {IDI_VLAJKA_CZ, IDI_VLAJKA_GB, IDI_VLAJKA_SK,
                               IDI_VLAJKA_DE, IDI_VLAJKA_FR, IDI_VLAJKA_ES};
constexpr int IkonyMenu[] = {IDI_KONEC,     IDI_PRIDAT,    IDI_SMAZAT,    IDI_SMAZATVSE,
                             IDI_SPOJIT,    IDI_OAPLIKACI, IDI_VLAJKA_CZ, IDI_VLAJKA_GB,
                             IDI_VLAJKA_SK, IDI_VLAJKA_DE, IDI_VLAJKA_FR, IDI_VLAJKA_ES};
constexpr int IkonySouboru[] = {IDI_CEKA, IDI_SPOJENO};

template <std::size_t N> constexpr int PocetIkon(const int (&)[N]) {
    return static_cast<int>(N);
}

} // namespace

TSeznamObrazku& TSeznamObrazku::operator=(TSeznamObrazku&& jiny) noexcept {
    if (this != &jiny) {
        Uvolni();
        seznam_ = jiny.seznam_;
        jiny.seznam_ = nullptr;
    }
    return *this;
}

void TSeznamObrazku::Uvolni() {
    if (seznam_ != nullptr)
        ImageList_Destroy(seznam_);
    seznam_ = nullptr;
}

// Each icon is drawn at the size asked for from its own image of that size.
TSeznamObrazku TSeznamObrazku::ZIkon(const int* ikony, int pocet, int strana) {
    HIMAGELIST seznam = ImageList_Create(strana, strana, ILC_COLOR32 | ILC_MASK, pocet, 0);
    if (seznam == nullptr)
        return {};
    const HINSTANCE modul = GetModuleHandleW(nullptr);
    for (int i = 0; i < pocet; ++i) {
        auto* ikona = static_cast<HICON>(LoadImageW(modul, MAKEINTRESOURCEW(ikony[i]), IMAGE_ICON,
                                                    strana, strana, LR_DEFAULTCOLOR));
        // A missing image keeps the positions of the others: an empty one stands in.
        if (ikona == nullptr || ImageList_AddIcon(seznam, ikona) < 0) {
            HDC dc = GetDC(nullptr);
            HBITMAP prazdny = CreateCompatibleBitmap(dc, strana, strana);
            ReleaseDC(nullptr, dc);
            ImageList_AddMasked(seznam, prazdny, RGB(0, 0, 0));
            DeleteObject(prazdny);
        }
        if (ikona != nullptr)
            DestroyIcon(ikona);
    }
    return TSeznamObrazku(seznam);
}

TSeznamObrazku TSeznamObrazku::Menu(int strana) {
    return ZIkon(IkonyMenu, PocetIkon(IkonyMenu), strana);
}

TSeznamObrazku TSeznamObrazku::Soubory(int strana) {
    return ZIkon(IkonySouboru, PocetIkon(IkonySouboru), strana);
}

TSeznamObrazku TSeznamObrazku::Vlajky(int strana) {
    return ZIkon(IkonyVlajek, PocetIkon(IkonyVlajek), strana);
}

HICON IkonaAplikace(int strana) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VANTREL),
                                         IMAGE_ICON, strana, strana, LR_SHARED));
}

} // namespace vantrel::okna
