#include "win32/Lista.h"

#include "pravidla/PopiskyAkci.h"

#include <vector>

namespace vantrel::okna {

namespace {

constexpr UINT ZpozdeniTipu = 500;   // ms the pointer rests before a tooltip
constexpr UINT ZobrazeniTipu = 2500; // ms a tooltip stays

} // namespace

void TLista::Vytvor(HWND rodic) {
    lista_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST |
                                 TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_TOP | CCS_NODIVIDER,
                             0, 0, 0, 0, rodic, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(lista_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::vector<TBBUTTON> tlacitka;
    for (std::size_t i = 0; i < akce_.size(); ++i) {
        if (akce_[i].popis->oddelovacPred) {
            TBBUTTON oddelovac{};
            oddelovac.fsStyle = BTNS_SEP;
            tlacitka.push_back(oddelovac);
        }
        TBBUTTON tlacitko{};
        tlacitko.iBitmap = I_IMAGENONE;
        tlacitko.idCommand = PrvniPrikaz + static_cast<int>(i);
        tlacitko.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        tlacitko.iString = -1;
        tlacitka.push_back(tlacitko);
    }
    SendMessageW(lista_, TB_ADDBUTTONSW, tlacitka.size(),
                 reinterpret_cast<LPARAM>(tlacitka.data()));
    if (const auto tipy = reinterpret_cast<HWND>(SendMessageW(lista_, TB_GETTOOLTIPS, 0, 0))) {
        // A tip shows its text as it is: "&" is no access key there.
        SetWindowLongPtrW(tipy, GWL_STYLE, GetWindowLongPtrW(tipy, GWL_STYLE) | TTS_NOPREFIX);
        SendMessageW(tipy, TTM_SETDELAYTIME, TTDT_INITIAL, ZpozdeniTipu);
        SendMessageW(tipy, TTM_SETDELAYTIME, TTDT_AUTOPOP, ZobrazeniTipu);
    }
    Obnov();
}

void TLista::NastavObrazky(HIMAGELIST obrazky) {
    SendMessageW(lista_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(obrazky));
    Obnov();
}

void TLista::NastavPismo(HFONT pismo) {
    SendMessageW(lista_, WM_SETFONT, reinterpret_cast<WPARAM>(pismo), TRUE);
    Obnov();
}

void TLista::Obnov() {
    const auto obrazky = reinterpret_cast<HIMAGELIST>(SendMessageW(lista_, TB_GETIMAGELIST, 0, 0));
    const int pocetObrazku = obrazky != nullptr ? ImageList_GetImageCount(obrazky) : 0;
    for (std::size_t i = 0; i < akce_.size(); ++i) {
        const TAkceOkna& akce = akce_[i];
        std::wstring titulek = Siroky(TitulekNaListe(*akce.popis, akce.titulek));
        TBBUTTONINFOW info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_TEXT | TBIF_IMAGE | TBIF_STATE;
        info.pszText = titulek.data();
        // An image index without an image (a seventh language's flag) shows none.
        info.iImage = akce.obrazek >= 0 && akce.obrazek < pocetObrazku ? akce.obrazek : I_IMAGENONE;
        info.fsState = akce.povolena ? TBSTATE_ENABLED : 0;
        SendMessageW(lista_, TB_SETBUTTONINFOW, PrvniPrikaz + i, reinterpret_cast<LPARAM>(&info));
    }
    SendMessageW(lista_, TB_AUTOSIZE, 0, 0);
}

void TLista::Povol(int akce, bool povolena) {
    SendMessageW(lista_, TB_ENABLEBUTTON, static_cast<WPARAM>(PrvniPrikaz + akce),
                 MAKELPARAM(povolena ? TRUE : FALSE, 0));
}

int TLista::Rozmisti() {
    SendMessageW(lista_, TB_AUTOSIZE, 0, 0);
    RECT obrys{};
    GetWindowRect(lista_, &obrys);
    return obrys.bottom - obrys.top;
}

const wchar_t* TLista::Tip(UINT_PTR prikaz) {
    const std::size_t i = prikaz - PrvniPrikaz;
    if (prikaz < PrvniPrikaz || i >= akce_.size())
        return nullptr;
    tip_ = Siroky(TipAkce(akce_[i].hint, akce_[i].popis->zkratka));
    return tip_.c_str();
}

bool TLista::Oznameni(const NMHDR& oznameni, LRESULT& vysledek) {
    // The toolbar asks for a button's tip first; its tooltip control would ask next.
    if (oznameni.code == TBN_GETINFOTIPW && oznameni.hwndFrom == lista_) {
        auto& info =
            const_cast<NMTBGETINFOTIPW&>(reinterpret_cast<const NMTBGETINFOTIPW&>(oznameni));
        const wchar_t* tip = Tip(static_cast<UINT_PTR>(info.iItem));
        if (tip == nullptr || info.pszText == nullptr || info.cchTextMax <= 0)
            return false;
        lstrcpynW(info.pszText, tip, info.cchTextMax);
        vysledek = 0;
        return true;
    }
    if (oznameni.code == TTN_GETDISPINFOW) {
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(oznameni));
        const wchar_t* tip = Tip(info.hdr.idFrom);
        if (tip == nullptr)
            return false;
        info.lpszText = const_cast<wchar_t*>(tip);
        info.hinst = nullptr;
        vysledek = 0;
        return true;
    }
    if (oznameni.hwndFrom != lista_ || oznameni.code != static_cast<UINT>(NM_CUSTOMDRAW))
        return false;
    // The bar in the desktop's menu-bar colour; the buttons as the style draws them.
    auto& kresleni = reinterpret_cast<const NMTBCUSTOMDRAW&>(oznameni);
    if (kresleni.nmcd.dwDrawStage == CDDS_PREERASE) {
        RECT plocha{};
        GetClientRect(lista_, &plocha);
        FillRect(kresleni.nmcd.hdc, &plocha, GetSysColorBrush(COLOR_MENUBAR));
        vysledek = CDRF_SKIPDEFAULT;
        return true;
    }
    vysledek = CDRF_DODEFAULT;
    return true;
}

int TLista::AkceKlavesy(wchar_t znak) const {
    UINT prikaz = 0;
    if (!SendMessageW(lista_, TB_MAPACCELERATORW, znak, reinterpret_cast<LPARAM>(&prikaz)))
        return -1;
    const int i = static_cast<int>(prikaz) - PrvniPrikaz;
    return i >= 0 && static_cast<std::size_t>(i) < akce_.size() ? i : -1;
}

} // namespace vantrel::okna
