#include "win32/fHlavni.h"

#include "platforma/Registr.h"
#include "win32/ChybaAplikace.h"
#include "win32/Dpi.h"
#include "win32/Komponenty.h"

#include <algorithm>
#include <commctrl.h>

namespace vantrel::okna {

namespace {

constexpr wchar_t TridaHlavnihoOkna[] = L"VantrelHlavniForm";
constexpr DWORD StylOkna = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD ExStylOkna = WS_EX_APPWINDOW;
constexpr TRozmer Minimum{SirkaMinimalni, VyskaMinimalni}; // outer
constexpr int SirkaPocitadla = 150;                        // status panel 0

// The virtual key of a shortcut's key.
WORD KodKlavesy(TKlavesa klavesa) {
    switch (klavesa) {
    case TKlavesa::F1:
        return VK_F1;
    case TKlavesa::F4:
        return VK_F4;
    case TKlavesa::F9:
        return VK_F9;
    case TKlavesa::Insert:
        return VK_INSERT;
    case TKlavesa::Delete:
        return VK_DELETE;
    case TKlavesa::J:
        return 'J';
    }
    return 0;
}

BOOL CALLBACK PridejPlochu(HMONITOR monitor, HDC, LPRECT, LPARAM plochy) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& p = info.rcWork;
        reinterpret_cast<std::vector<TObdelnik>*>(plochy)->push_back(
            {p.left, p.top, p.right - p.left, p.bottom - p.top});
    }
    return TRUE;
}

} // namespace

THlavniForm::THlavniForm(TJazykXML& jazyk, const THlaseni& hlaseni, TSouborJazyka& souborJazyka)
    // The title is the product's name in every language: the window carries no mark.
    : TOkno(hlaseni), TFormularOkna(u"HlavniForm", 0), okno_(*this, jazyk, hlaseni, souborJazyka) {
    VytvorAkce();
    dpi_ = DpiSystemu();
    const LOGFONTW pismo = PismoZprav(dpi_);
    meritko_ = MeritkoOkna(dpi_, pismo);
    // The designed client area at the designed position, left 0 and top 0.
    const RECT obrys = ObrysOkna({Navrh(SirkaNavrhu, meritko_), Navrh(VyskaNavrhu, meritko_)},
                                 StylOkna, ExStylOkna, dpi_);
    Vytvor(TridaHlavnihoOkna, ExStylOkna, StylOkna, TitulekAplikace, nullptr,
           {0, 0, obrys.right - obrys.left, obrys.bottom - obrys.top});
    lista_.Vytvor(Handle());
    seznam_.Vytvor(Handle());
    stav_.Vytvor(Handle());
    for (TAkceOkna& akce : akce_)
        PridejKomponentu(std::make_unique<TKomponentaAkce>(akce));
    PridejKomponentu(std::make_unique<TKomponentaSeznamu>(
        seznam_.Handle(), u"livSoubory",
        std::vector<int>{ZnackaPreklad, ZnackaPreklad, ZnackaPreklad, ZnackaPreklad}));
    VytvorAkcelerator();
    // The window as created may already be on a monitor of another DPI than the system's.
    NastavDpi(DpiOkna(Handle()));
    FormCreate();
}

THlavniForm::~THlavniForm() {
    if (akcelerator_ != nullptr)
        DestroyAcceleratorTable(akcelerator_);
}

void THlavniForm::NastavOkna(TOAplikaciForm* oAplikaciForm, TJazykForm* jazykForm) {
    oAplikaciForm_ = oAplikaciForm;
    jazykForm_ = jazykForm;
}

void THlavniForm::VytvorAkce() {
    for (std::size_t i = 0; i < akce_.size(); ++i) {
        const TPopisAkce& popis = Akce[i];
        akce_[i] = {&popis, popis.titulek, popis.hint, popis.povolena, popis.obrazek};
    }
}

void THlavniForm::VytvorAkcelerator() {
    std::vector<ACCEL> klavesy;
    for (std::size_t i = 0; i < akce_.size(); ++i) {
        const TZkratka& zkratka = akce_[i].popis->zkratka;
        ACCEL klavesa{};
        klavesa.fVirt = static_cast<BYTE>(FVIRTKEY | (zkratka.shift ? FSHIFT : 0) |
                                          (zkratka.ctrl ? FCONTROL : 0));
        klavesa.key = KodKlavesy(zkratka.klavesa);
        klavesa.cmd = static_cast<WORD>(TLista::PrvniPrikaz + i);
        klavesy.push_back(klavesa);
    }
    akcelerator_ = CreateAcceleratorTableW(klavesy.data(), static_cast<int>(klavesy.size()));
}

void THlavniForm::NastavDpi(UINT dpi) {
    dpi_ = dpi;
    const LOGFONTW popis = PismoZprav(dpi);
    meritko_ = MeritkoOkna(dpi, popis);
    TPismo pismo(popis);
    const int strana = VelikostObrazku(dpi);
    TSeznamObrazku menu = TSeznamObrazku::Menu(strana);
    TSeznamObrazku soubory = TSeznamObrazku::Soubory(strana);
    lista_.NastavPismo(pismo.Handle());
    lista_.NastavObrazky(menu.Handle());
    seznam_.NastavMeritko(meritko_, pismo.Handle(), soubory.Handle());
    stav_.NastavPismo(pismo.Handle(), Navrh(SirkaPocitadla, meritko_));
    // The old fonts and images go only once no control uses them.
    pismo_ = std::move(pismo);
    imlMenu_ = std::move(menu);
    imlSoubory_ = std::move(soubory);
    RECT obrys{};
    GetWindowRect(Handle(), &obrys);
    minimum_ = UmisteniNaObrazovkach(
                   {obrys.left, obrys.top, obrys.right - obrys.left, obrys.bottom - obrys.top},
                   Plochy(), Minimum, NavrzeneMinimum())
                   .Minimum;
    Rozmisti();
}

std::vector<TObdelnik> THlavniForm::Plochy() const {
    std::vector<TObdelnik> plochy;
    EnumDisplayMonitors(nullptr, nullptr, PridejPlochu, reinterpret_cast<LPARAM>(&plochy));
    return plochy;
}

// The designed minimum, grown with the window's scale.
TRozmer THlavniForm::NavrzeneMinimum() const {
    return {Navrh(static_cast<int>(Minimum.Sirka), meritko_),
            Navrh(static_cast<int>(Minimum.Vyska), meritko_)};
}

void THlavniForm::Rozmisti() {
    RECT klient{};
    GetClientRect(Handle(), &klient);
    const int lista = lista_.Rozmisti();
    const int radek = stav_.Rozmisti();
    MoveWindow(seznam_.Handle(), 0, lista, klient.right,
               std::max(0, static_cast<int>(klient.bottom) - lista - radek), TRUE);
}

// --- Settings ---------------------------------------------------------------------------------

void THlavniForm::FormCreate() {
    TRegistr registr;
    okno_.NactiNastaveni(registr, [this](const TNastaveniOkna& nastaveni) { Umisti(nastaveni); });
}

// A placement that no monitor can hold is corrected for this run; the stored values change only
// at the next close. Stored sizes are outer sizes, as the window is placed.
void THlavniForm::Umisti(const TNastaveniOkna& nastaveni) {
    RECT navrh{};
    GetWindowRect(Handle(), &navrh);
    TObdelnik okno{0, 0, navrh.right - navrh.left, navrh.bottom - navrh.top};
    maximalni_ = nastaveni.maximalni;
    if (!maximalni_) {
        bool ulozenaVelikost = false;
        okno = UlozeneUmisteni(nastaveni, okno, ulozenaVelikost);
    }
    const TUmisteni umisteni = UmisteniNaObrazovkach(okno, Plochy(), Minimum, NavrzeneMinimum());
    minimum_ = umisteni.Minimum;
    SetWindowPos(Handle(), nullptr, static_cast<int>(umisteni.Okno.Vlevo),
                 static_cast<int>(umisteni.Okno.Nahore), static_cast<int>(umisteni.Okno.Sirka),
                 static_cast<int>(umisteni.Okno.Vyska), SWP_NOZORDER | SWP_NOACTIVATE);
    // On a monitor of another DPI the window is drawn for it.
    if (DpiOkna(Handle()) != dpi_)
        NastavDpi(DpiOkna(Handle()));
}

// The outer bounds to store: a minimised window's are those it has when restored.
RECT THlavniForm::VnejsiObrys() const {
    RECT obrys{};
    if (!IsIconic(Handle())) {
        GetWindowRect(Handle(), &obrys);
        return obrys;
    }
    WINDOWPLACEMENT umisteni{};
    umisteni.length = sizeof(umisteni);
    GetWindowPlacement(Handle(), &umisteni);
    obrys = umisteni.rcNormalPosition;
    // The restored bounds are in the work area's coordinates.
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromRect(&obrys, MONITOR_DEFAULTTONEAREST), &info);
    OffsetRect(&obrys, info.rcWork.left - info.rcMonitor.left,
               info.rcWork.top - info.rcMonitor.top);
    return obrys;
}

void THlavniForm::FormClose() {
    TNastaveniOkna nastaveni;
    WINDOWPLACEMENT umisteni{};
    umisteni.length = sizeof(umisteni);
    GetWindowPlacement(Handle(), &umisteni);
    nastaveni.maximalni = IsZoomed(Handle()) ||
                          (IsIconic(Handle()) && (umisteni.flags & WPF_RESTORETOMAXIMIZED) != 0);
    if (!nastaveni.maximalni) {
        const RECT obrys = VnejsiObrys();
        nastaveni.vlevo = obrys.left;
        nastaveni.nahore = obrys.top;
        nastaveni.vyska = obrys.bottom - obrys.top;
        nastaveni.sirka = obrys.right - obrys.left;
    }
    TRegistr registr;
    okno_.UlozNastaveni(registr, nastaveni);
}

// --- Showing and the language ---------------------------------------------------------------

void THlavniForm::Zobraz(int pokaz) {
    ShowWindow(Handle(), maximalni_ ? SW_SHOWMAXIMIZED : pokaz);
    UpdateWindow(Handle());
    SetFocus(seznam_.Handle());
    // An error of the language file is reported; the window stays shown.
    Chranene(hlaseni_, [this] { FormShow(); });
}

void THlavniForm::FormShow() {
    okno_.FormShow(cestaJazyka_.empty() ? CestaJazykaUProgramu() : cestaJazyka_);
}

// --- Messages ---------------------------------------------------------------------------------

bool THlavniForm::PrelozKlavesu(MSG& zprava) {
    // Not while a modal dialog or box disables the window.
    if (Handle() == nullptr || !IsWindowEnabled(Handle()) ||
        (zprava.hwnd != Handle() && !IsChild(Handle(), zprava.hwnd)))
        return false;
    if (TranslateAcceleratorW(Handle(), akcelerator_, &zprava))
        return true;
    if (zprava.message == WM_SYSCHAR) {
        const int akce = lista_.AkceKlavesy(static_cast<wchar_t>(zprava.wParam));
        if (akce >= 0) {
            SendMessageW(Handle(), WM_COMMAND, static_cast<WPARAM>(TLista::PrvniPrikaz + akce), 0);
            return true;
        }
    }
    return false;
}

bool THlavniForm::Oznameni(const NMHDR& oznameni, LRESULT& vysledek) {
    if (lista_.Oznameni(oznameni, vysledek))
        return true;
    const TSeznamSouboru::TZmena zmena = seznam_.Oznameni(oznameni);
    if (zmena.vyber)
        okno_.livSouborySelectItem();
    if (zmena.zmena)
        okno_.livSouboryChange();
    return false;
}

LRESULT THlavniForm::Zprava(UINT zprava, WPARAM w, LPARAM l) {
    switch (zprava) {
    case WM_COMMAND: {
        const int akce = LOWORD(w) - TLista::PrvniPrikaz;
        if (akce >= 0 && akce < PocetAkci) {
            // A shortcut of a disabled action does nothing, as its button does.
            if (akce_[static_cast<std::size_t>(akce)].povolena) {
                Chranene(hlaseni_, [&] { okno_.Proved(static_cast<TAkce>(akce)); });
                okno_.PoAkci();
            }
            return 0;
        }
        break;
    }
    case WM_NOTIFY: {
        LRESULT vysledek = 0;
        if (Oznameni(*reinterpret_cast<const NMHDR*>(l), vysledek))
            return vysledek;
        break;
    }
    case WM_DRAWITEM:
        if (stav_.Kresli(*reinterpret_cast<const DRAWITEMSTRUCT*>(l)))
            return TRUE;
        break;
    case WM_SIZE:
        Rozmisti();
        return 0;
    case WM_GETMINMAXINFO: {
        auto& meze = *reinterpret_cast<MINMAXINFO*>(l);
        meze.ptMinTrackSize = {static_cast<LONG>(minimum_.Sirka),
                               static_cast<LONG>(minimum_.Vyska)};
        return 0;
    }
    case WM_DPICHANGED: {
        NastavDpi(HIWORD(w));
        const auto* navrh = reinterpret_cast<const RECT*>(l);
        SetWindowPos(Handle(), nullptr, navrh->left, navrh->top, navrh->right - navrh->left,
                     navrh->bottom - navrh->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SETTINGCHANGE:
        // The desktop's fonts or text size changed.
        if (w == SPI_SETNONCLIENTMETRICS)
            NastavDpi(dpi_);
        break;
    case WM_ACTIVATE:
        PriAktivaci(w, seznam_.Handle());
        return 0;
    case WM_SETFOCUS:
        SetFocus(seznam_.Handle());
        return 0;
    case WM_CLOSE:
        // A running join is never hidden: the window closes once it has ended.
        if (okno_.ZadostOZavreni()) {
            // The program ends after the settings have been written, or their failure shown.
            Chranene(hlaseni_, [this] { FormClose(); });
            DestroyWindow(Handle());
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Vychozi(zprava, w, l);
}

} // namespace vantrel::okna
