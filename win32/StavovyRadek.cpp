#include "win32/StavovyRadek.h"

#include "win32/ZkracenyText.h"

#include <algorithm>
#include <commctrl.h>

namespace vantrel::okna {

namespace {

constexpr WPARAM PanelPoctu = 0;
constexpr WPARAM PanelZpravy = 1;

} // namespace

void TStavovyRadek::Vytvor(HWND rodic) {
    radek_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                             WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, 0, 0, 0, 0,
                             rodic, nullptr, GetModuleHandleW(nullptr), nullptr);
    NastavPanely();
}

void TStavovyRadek::NastavPismo(HFONT pismo, int sirkaPocitadla) {
    pismo_ = pismo;
    sirkaPocitadla_ = sirkaPocitadla;
    SendMessageW(radek_, WM_SETFONT, reinterpret_cast<WPARAM>(pismo), TRUE);
    NastavPanely();
}

int TStavovyRadek::SirkaTextu(const std::u16string& text) const {
    return VelikostTextu(pismo_, text).cx;
}

void TStavovyRadek::NastavPocet(const std::u16string& text) {
    pocet_ = text;
    SendMessageW(radek_, SB_SETTEXTW, PanelPoctu, reinterpret_cast<LPARAM>(Siroky(text).c_str()));
    NastavPanely();
}

void TStavovyRadek::NastavZpravu(const std::u16string& zacatek, const std::u16string& jmeno,
                                 const std::u16string& konec) {
    zacatek_ = zacatek;
    jmeno_ = jmeno;
    konec_ = konec;
    // Drawn by the window, which shortens the name to the panel's width.
    SendMessageW(radek_, SB_SETTEXTW, PanelZpravy | SBT_OWNERDRAW, 0);
    SendMessageW(radek_, SB_SETTIPTEXTW, PanelZpravy,
                 reinterpret_cast<LPARAM>(Siroky(zacatek + jmeno + konec).c_str()));
    InvalidateRect(radek_, nullptr, TRUE);
}

// Panel 0 as wide as designed, wider where its text needs it; panel 1 the rest.
void TStavovyRadek::NastavPanely() {
    if (radek_ == nullptr)
        return;
    const int okraj = 2 * GetSystemMetrics(SM_CXEDGE) + 2 * GetSystemMetrics(SM_CXBORDER) + 6;
    const int hrany[] = {std::max(sirkaPocitadla_, SirkaTextu(pocet_) + okraj), -1};
    SendMessageW(radek_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(hrany));
}

int TStavovyRadek::Rozmisti() {
    SendMessageW(radek_, WM_SIZE, 0, 0);
    NastavPanely();
    RECT obrys{};
    GetWindowRect(radek_, &obrys);
    return obrys.bottom - obrys.top;
}

bool TStavovyRadek::Kresli(const DRAWITEMSTRUCT& kresleni) {
    if (kresleni.hwndItem != radek_ || kresleni.itemID != PanelZpravy)
        return false;
    RECT misto = kresleni.rcItem;
    // As far from the panel's edge as the system sets a panel's own text, and clear of the
    // size grip in the bar's corner.
    misto.left += GetSystemMetrics(SM_CXEDGE) + 1;
    misto.right -= GetSystemMetrics(SM_CXEDGE);
    if (!IsZoomed(GetParent(radek_)))
        misto.right -= GetSystemMetrics(SM_CXVSCROLL);
    const HDC dc = kresleni.hDC;
    const HGDIOBJ predchozi = SelectObject(dc, pismo_);
    const auto sirka = [dc](const std::u16string& text) {
        SIZE velikost{0, 0};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()),
                              static_cast<int>(text.size()), &velikost);
        return static_cast<int>(velikost.cx);
    };
    const std::wstring text = Siroky(
        ZkracenyText(zacatek_, jmeno_, konec_, static_cast<int>(misto.right - misto.left), sirka));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &misto,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, predchozi);
    return true;
}

} // namespace vantrel::okna
