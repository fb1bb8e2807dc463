#include "win32/fOAplikaci.h"

#include "platforma/FaktaSouboru.h"
#include "support/NavrhOAplikaciForm.h"
#include "support/SoubUtility.h"
#include "win32/Dpi.h"
#include "win32/Rozmery.h"

#include <algorithm>
#include <commctrl.h>
#include <shellapi.h>

namespace vantrel::okna {

namespace {

namespace navrh = navrhOAplikaciForm;

constexpr COLORREF Zelena = RGB(0, 128, 0);

HWND Popisek(HWND rodic, const char16_t* text, DWORD styl) {
    return CreateWindowExW(0, WC_STATICW, Siroky(text).c_str(),
                           WS_CHILD | WS_VISIBLE | SS_NOPREFIX | styl, 0, 0, 0, 0, rodic, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

SIZE Velikost(HWND okno, HFONT pismo) {
    return VelikostTextu(pismo, TextOkna(okno));
}

// The link's text as the user reads it, without its markup.
std::wstring TextOdkazu() {
    return Siroky(navrh::Adresa);
}

} // namespace

TOAplikaciForm::TOAplikaciForm(const THlaseni& hlaseni, HWND vlastnik,
                               const std::u16string& cestaProgramu)
    : TDialog(hlaseni), TFormularOkna(u"OAplikaciForm", ZnackaPreklad) {
    VytvorDialog(WS_EX_TOOLWINDOW, navrh::Titulek, vlastnik);
    Label1_ = Popisek(Handle(), navrh::Nazev, SS_LEFT | SS_CENTERIMAGE);
    lblVerze_ = Popisek(Handle(), u"", SS_RIGHT);
    Bevel1_ = Popisek(Handle(), u"", SS_ETCHEDFRAME);
    lblPopis_ = Popisek(Handle(), navrh::lblPopis, SS_CENTER | SS_CENTERIMAGE);
    Label2_ = Popisek(Handle(), navrh::Copyright, SS_LEFT);
    // A link that Tab reaches and Enter opens, which screen readers announce as one.
    const std::wstring odkaz = L"<a>" + TextOdkazu() + L"</a>";
    lblURL_ = CreateWindowExW(0, WC_LINK, odkaz.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0,
                              0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    btnZavrit_ =
        CreateWindowExW(0, WC_BUTTONW, Siroky(navrh::btnZavrit).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, Handle(),
                        reinterpret_cast<HMENU>(IDCANCEL), GetModuleHandleW(nullptr), nullptr);
    PridejKomponentu(
        std::make_unique<TKomponentaOkna>(lblPopis_, u"lblPopis", dkVizualni | dkPopisek));
    PridejKomponentu(
        std::make_unique<TKomponentaOkna>(btnZavrit_, u"btnZavrit", dkVizualni | dkTlacitko));
    FormCreate(cestaProgramu.empty() ? platforma::CestaProgramu() : cestaProgramu);
    Rozmisti(DpiOkna(vlastnik));
}

void TOAplikaciForm::FormCreate(const std::u16string& cestaProgramu) {
    NastavTextOkna(lblVerze_, TSouboroveInfo().VerzeSouboru(cestaProgramu, 3));
}

// Every part keeps its designed place and size at the dialog's scale; where a text needs more,
// its part grows and the parts below or beside it move, and the dialog with them.
SIZE TOAplikaciForm::Rozmisti(UINT dpi) {
    const LOGFONTW popis = PismoZprav(dpi);
    const double m = MeritkoOkna(dpi, popis);
    const auto n = [m](int delka) { return Navrh(delka, m); };
    LOGFONTW tucne = popis;
    tucne.lfWeight = FW_BOLD;
    LOGFONTW nazev = tucne;
    nazev.lfHeight = -n(navrh::PismoNazvu);
    nazev.lfWidth = 0;
    TPismo novePismo(popis), noveTucne(tucne), novyNazev(nazev);
    for (HWND dite : {lblVerze_, Bevel1_, Label2_, lblURL_, btnZavrit_})
        SendMessageW(dite, WM_SETFONT, reinterpret_cast<WPARAM>(novePismo.Handle()), FALSE);
    SendMessageW(lblPopis_, WM_SETFONT, reinterpret_cast<WPARAM>(noveTucne.Handle()), FALSE);
    SendMessageW(Label1_, WM_SETFONT, reinterpret_cast<WPARAM>(novyNazev.Handle()), FALSE);
    pismo_ = std::move(novePismo);
    tucne_ = std::move(noveTucne);
    nazev_ = std::move(novyNazev);

    const SIZE textNazvu = Velikost(Label1_, nazev_.Handle());
    const SIZE nazevVelikost{std::max<LONG>(n(navrh::SirkaNazvu), textNazvu.cx),
                             std::max<LONG>(n(navrh::VyskaNazvu), textNazvu.cy)};
    const int pridano = nazevVelikost.cy - n(navrh::VyskaNazvu);
    const SIZE verze = Velikost(lblVerze_, pismo_.Handle());
    const SIZE textPopisu = Velikost(lblPopis_, tucne_.Handle());
    const SIZE popisVelikost{std::max<LONG>(n(navrh::SirkaPopisu), textPopisu.cx),
                             std::max<LONG>(n(navrh::VyskaPopisu), textPopisu.cy)};
    const SIZE ramecek{
        std::max<LONG>(n(navrh::SirkaRamecku), popisVelikost.cx + 2 * n(navrh::OkrajPopisu)),
        std::max<LONG>(n(navrh::VyskaRamecku), popisVelikost.cy + 2 * n(navrh::NadPopisem))};
    const SIZE copyright = Velikost(Label2_, pismo_.Handle());
    // The link draws its text in the dialog's font, with room for its focus rectangle.
    SIZE odkaz = VelikostTextu(pismo_.Handle(), Text16(TextOdkazu()));
    odkaz.cx += 2;
    odkaz.cy += 2;
    const SIZE tlacitko{SirkaTlacitka(btnZavrit_, pismo_.Handle(), n(navrh::SirkaZavrit)),
                        std::max(n(navrh::VyskaTlacitka), VyskaTlacitka(pismo_.Handle()))};
    const int okraj = n(navrh::Okraj), pravyOkraj = n(navrh::PravyOkraj);
    const int sirka = std::max<int>(
        {n(navrh::Sirka), okraj + nazevVelikost.cx + okraj + verze.cx + pravyOkraj,
         okraj + ramecek.cx + pravyOkraj, okraj + copyright.cx + 2 * okraj + odkaz.cx + okraj,
         okraj + tlacitko.cx + okraj});

    MoveWindow(Label1_, okraj, okraj, nazevVelikost.cx, nazevVelikost.cy, FALSE);
    MoveWindow(lblVerze_, sirka - pravyOkraj - verze.cx, n(navrh::VerzeNahore) + pridano, verze.cx,
               verze.cy, FALSE);
    const RECT misto{okraj, n(navrh::RamecekNahore) + pridano, okraj + ramecek.cx,
                     n(navrh::RamecekNahore) + pridano + ramecek.cy};
    MoveWindow(Bevel1_, misto.left, misto.top, ramecek.cx, ramecek.cy, FALSE);
    MoveWindow(lblPopis_, (misto.left + misto.right - popisVelikost.cx) / 2,
               (misto.top + misto.bottom - popisVelikost.cy) / 2, popisVelikost.cx,
               popisVelikost.cy, FALSE);
    const int radek = misto.bottom + n(navrh::Mezera);
    MoveWindow(Label2_, okraj, radek, copyright.cx, copyright.cy, FALSE);
    MoveWindow(lblURL_, sirka - okraj - odkaz.cx, radek, odkaz.cx, odkaz.cy, FALSE);
    const int vyskaRadku = std::max(copyright.cy, odkaz.cy);
    const int tlacitkoNahore =
        radek + std::max(n(navrh::RadekTlacitka), vyskaRadku + n(navrh::Mezera));
    MoveWindow(btnZavrit_, sirka - okraj - tlacitko.cx, tlacitkoNahore, tlacitko.cx, tlacitko.cy,
               FALSE);
    InvalidateRect(Handle(), nullptr, TRUE);
    return {sirka, tlacitkoNahore + tlacitko.cy + okraj};
}

void TOAplikaciForm::lblURLClick() {
    ShellExecuteW(nullptr, nullptr, TextOdkazu().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT TOAplikaciForm::Zprava(UINT zprava, WPARAM w, LPARAM l) {
    switch (zprava) {
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(l) == Label1_) {
            const auto dc = reinterpret_cast<HDC>(w);
            SetTextColor(dc, Zelena);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_NOTIFY: {
        const auto& oznameni = *reinterpret_cast<const NMHDR*>(l);
        if (oznameni.hwndFrom == lblURL_ &&
            (oznameni.code == NM_CLICK || oznameni.code == NM_RETURN)) {
            lblURLClick();
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return TDialog::Zprava(zprava, w, l);
}

} // namespace vantrel::okna
