#include "win32/fJazyk.h"

#include "lang/NavrhJazykForm.h"
#include "win32/Dpi.h"
#include "win32/PohledSeznamu.h"
#include "win32/Rozmery.h"

#include <algorithm>
#include <commctrl.h>

namespace vantrel::okna {

namespace {

namespace navrh = navrhJazykForm;

HWND Tlacitko(HWND rodic, int id, const char16_t* titulek, DWORD styl) {
    return CreateWindowExW(0, WC_BUTTONW, Siroky(titulek).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | styl, 0, 0, 0, 0, rodic,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TJazykForm::TJazykForm(const THlaseni& hlaseni, HWND vlastnik)
    : TDialog(hlaseni), TFormularOkna(u"JazykForm", ZnackaPreklad) {
    VytvorDialog(0, navrh::Titulek, vlastnik);
    livJazyk_ = VytvorPohledSeznamu(Handle(), LVS_SINGLESEL);
    for (int i = 0; i < 4; ++i)
        VlozSloupec(livJazyk_, i, navrh::Sloupce[i].titulek, navrh::Sloupce[i].sirka,
                    navrh::Sloupce[i].naStred);
    btnOK_ = Tlacitko(Handle(), IDOK, navrh::btnOK, BS_DEFPUSHBUTTON);
    EnableWindow(btnOK_, FALSE);
    btnStorno_ = Tlacitko(Handle(), IDCANCEL, navrh::btnStorno, BS_PUSHBUTTON);

    PridejKomponentu(std::make_unique<TKomponentaSeznamu>(
        livJazyk_, u"livJazyk",
        std::vector<int>{ZnackaPreklad, ZnackaPreklad, ZnackaPreklad, ZnackaPreklad}));
    PridejKomponentu(std::make_unique<TKomponentaOkna>(btnOK_, u"btnOK", dkVizualni | dkTlacitko));
    PridejKomponentu(
        std::make_unique<TKomponentaOkna>(btnStorno_, u"btnStorno", dkVizualni | dkTlacitko));
    Rozmisti(DpiOkna(vlastnik));
}

// The designed places and sizes at the dialog's scale; buttons wider where their captions need
// it, columns where their titles do, and the dialog with the buttons.
SIZE TJazykForm::Rozmisti(UINT dpi) {
    const LOGFONTW popis = PismoZprav(dpi);
    const double m = MeritkoOkna(dpi, popis);
    const auto n = [m](int delka) { return Navrh(delka, m); };
    TPismo pismo(popis);
    NastavPismo(Handle(), pismo.Handle());
    pismo_ = std::move(pismo);
    TSeznamObrazku vlajky = TSeznamObrazku::Vlajky(VelikostObrazku(dpi));
    SendMessageW(livJazyk_, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(vlajky.Handle()));
    ilVlajky_ = std::move(vlajky);

    const int tlacitko =
        std::max(SirkaTlacitka(btnOK_, pismo_.Handle(), n(navrh::SirkaTlacitka)),
                 SirkaTlacitka(btnStorno_, pismo_.Handle(), n(navrh::SirkaTlacitka)));
    const int vyskaTlacitka = std::max(n(navrh::VyskaTlacitka), VyskaTlacitka(pismo_.Handle()));
    const int sirka =
        std::max(n(navrh::Sirka), 2 * tlacitko + n(navrh::MeziTlacitky) + 2 * n(navrh::Okraj));
    const int nahore = n(navrh::Okraj) + n(navrh::VyskaSeznamu) + n(navrh::NadTlacitky);
    const int vyska = std::max(n(navrh::Vyska), nahore + vyskaTlacitka + n(navrh::PodTlacitky));
    MoveWindow(livJazyk_, n(navrh::Okraj), n(navrh::Okraj), sirka - 2 * n(navrh::Okraj),
               n(navrh::VyskaSeznamu), TRUE);
    const int storno = sirka - n(navrh::Okraj) - tlacitko;
    MoveWindow(btnStorno_, storno, nahore, tlacitko, vyskaTlacitka, TRUE);
    MoveWindow(btnOK_, storno - n(navrh::MeziTlacitky) - tlacitko, nahore, tlacitko, vyskaTlacitka,
               TRUE);
    for (int i = 0; i < 4; ++i) {
        const int titulek = SirkaTitulkuSloupce(livJazyk_, i, pismo_.Handle());
        SendMessageW(livJazyk_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                     std::max(n(navrh::Sloupce[i].sirka), titulek));
    }
    return {sirka, vyska};
}

LRESULT TJazykForm::Zprava(UINT zprava, WPARAM w, LPARAM l) {
    if (zprava == WM_COMMAND && LOWORD(w) == IDOK) {
        // Enter reaches here whether or not OK is enabled.
        if (IsWindowEnabled(btnOK_) && VybranyRadek(livJazyk_) >= 0)
            Ukonci(IDOK);
        return 0;
    }
    if (zprava == WM_NOTIFY) {
        const auto& oznameni = *reinterpret_cast<const NMHDR*>(l);
        if (oznameni.hwndFrom == livJazyk_ && oznameni.code == LVN_ITEMCHANGED) {
            const auto& radek = reinterpret_cast<const NMLISTVIEW&>(oznameni);
            if ((radek.uChanged & LVIF_STATE) &&
                ((radek.uOldState ^ radek.uNewState) & LVIS_SELECTED))
                livJazykSelectItem();
            return 0;
        }
    }
    return TDialog::Zprava(zprava, w, l);
}

void TJazykForm::livJazykSelectItem() {
    EnableWindow(btnOK_, VybranyRadek(livJazyk_) >= 0);
}

void TJazykForm::Vymaz() {
    SendMessageW(livJazyk_, LVM_DELETEALLITEMS, 0, 0);
    kody_.clear();
    // Deleting all rows tells nothing of the selection that went with them.
    livJazykSelectItem();
}

void TJazykForm::Pridej(const TPopisJazyka& jazyk) {
    // An index that names no flag shows the row without one.
    const bool vlajka = jazyk.indexVlajky >= 0 && jazyk.indexVlajky < ilVlajky_.Pocet();
    const int radek = PridejRadek(livJazyk_, jazyk.kod, vlajka ? jazyk.indexVlajky : I_IMAGENONE);
    if (radek < 0)
        return;
    kody_.push_back(jazyk.kod);
    NastavTextBunky(livJazyk_, radek, 1, jazyk.nazev);
    NastavTextBunky(livJazyk_, radek, 2, jazyk.verze);
    NastavTextBunky(livJazyk_, radek, 3, jazyk.autor);
}

void TJazykForm::Vyber(int radek) {
    LVITEMW stav{};
    stav.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    stav.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(livJazyk_, LVM_SETITEMSTATE, static_cast<WPARAM>(radek),
                 reinterpret_cast<LPARAM>(&stav));
    SendMessageW(livJazyk_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(radek), FALSE);
}

bool TJazykForm::Vyber(const TJazykXML& jazyk, std::u16string& kod, int& pozice) {
    jazyk.NactiJazyky(*this);
    livJazykSelectItem();
    if (ZobrazModalne(GetWindow(Handle(), GW_OWNER)) != IDOK)
        return false;
    const int radek = VybranyRadek(livJazyk_);
    if (radek < 0 || static_cast<std::size_t>(radek) >= kody_.size())
        return false;
    kod = kody_[static_cast<std::size_t>(radek)];
    pozice = radek;
    return true;
}

} // namespace vantrel::okna
