#include "win32/SeznamSouboru.h"

#include "support/SoubUtility.h"
#include "win32/Dpi.h"

#include <algorithm>

namespace vantrel::okna {

namespace {

void NastavText(HWND seznam, int radek, int sloupec, const std::u16string& text) {
    std::wstring siroky = Siroky(text);
    LVITEMW polozka{};
    polozka.iSubItem = sloupec;
    polozka.pszText = siroky.data();
    SendMessageW(seznam, LVM_SETITEMTEXTW, static_cast<WPARAM>(radek),
                 reinterpret_cast<LPARAM>(&polozka));
}

} // namespace

void TSeznamSouboru::Vytvor(HWND rodic) {
    seznam_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT |
                                  LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS,
                              0, 0, 0, 0, rodic, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(seznam_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    for (int i = 0; i < 4; ++i) {
        std::wstring titulek = Siroky(SloupceSouboru[i].titulek);
        LVCOLUMNW sloupec{};
        sloupec.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        sloupec.fmt = LVCFMT_LEFT;
        sloupec.cx = SloupceSouboru[i].sirka;
        sloupec.pszText = titulek.data();
        sloupec.iSubItem = i;
        SendMessageW(seznam_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&sloupec));
    }
}

void TSeznamSouboru::NastavMeritko(double meritko, HFONT pismo, HIMAGELIST obrazky) {
    SendMessageW(seznam_, WM_SETFONT, reinterpret_cast<WPARAM>(pismo), TRUE);
    SendMessageW(seznam_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(obrazky));
    // A date with every digit as wide as the font makes it, and the cell's margins.
    const int sirkaData =
        VelikostTextu(pismo, TextCasoveZnacky(HodnotaDatumu(2000, 12, 28, 23, 58, 58))).cx +
        Navrh(16, meritko);
    for (int i = 0; i < 4; ++i) {
        int sirka = Navrh(SloupceSouboru[i].sirka, meritko);
        if (i == 2)
            sirka = std::max(sirka, sirkaData);
        SendMessageW(seznam_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), sirka);
    }
}

int TSeznamSouboru::Pocet() const {
    return static_cast<int>(SendMessageW(seznam_, LVM_GETITEMCOUNT, 0, 0));
}

std::u16string TSeznamSouboru::Cesta(int radek) const {
    return radek >= 0 && static_cast<std::size_t>(radek) < cesty_.size()
               ? cesty_[static_cast<std::size_t>(radek)]
               : std::u16string();
}

void TSeznamSouboru::Pridej(const TPolozkaSouboru& radek) {
    const int pozice = Pocet();
    cesty_.push_back(radek.cesta);
    std::wstring titulek = Siroky(radek.titulek);
    LVITEMW polozka{};
    polozka.mask = LVIF_TEXT | LVIF_IMAGE;
    polozka.iItem = pozice;
    polozka.pszText = titulek.data();
    polozka.iImage = StavCeka;
    if (SendMessageW(seznam_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&polozka)) < 0) {
        cesty_.pop_back();
        return;
    }
    NastavText(seznam_, pozice, 1, radek.velikost);
    NastavText(seznam_, pozice, 2, radek.datum);
    NastavText(seznam_, pozice, 3, radek.typ);
}

int TSeznamSouboru::Stav(int radek) const {
    LVITEMW polozka{};
    polozka.mask = LVIF_IMAGE;
    polozka.iItem = radek;
    if (!SendMessageW(seznam_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&polozka)))
        return -1;
    return polozka.iImage;
}

void TSeznamSouboru::NastavStav(int radek, TStavRadku stav) {
    // The same image again changes nothing, so it causes no list update.
    if (radek < 0 || radek >= Pocet() || Stav(radek) == stav)
        return;
    LVITEMW polozka{};
    polozka.mask = LVIF_IMAGE;
    polozka.iItem = radek;
    polozka.iImage = stav;
    SendMessageW(seznam_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&polozka));
}

bool TSeznamSouboru::MaVybrane() const {
    return SendMessageW(seznam_, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

void TSeznamSouboru::OdstranVybrane() {
    odstranuje_ = true;
    for (;;) {
        const auto radek = static_cast<int>(
            SendMessageW(seznam_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (radek < 0 || !SendMessageW(seznam_, LVM_DELETEITEM, static_cast<WPARAM>(radek), 0))
            break;
        cesty_.erase(cesty_.begin() + radek);
    }
    odstranuje_ = false;
}

void TSeznamSouboru::OdstranVse() {
    odstranuje_ = true;
    SendMessageW(seznam_, LVM_DELETEALLITEMS, 0, 0);
    cesty_.clear();
    odstranuje_ = false;
}

TSeznamSouboru::TZmena TSeznamSouboru::Oznameni(const NMHDR& oznameni) const {
    TZmena zmena;
    if (oznameni.hwndFrom != seznam_ || odstranuje_)
        return zmena;
    if (oznameni.code == LVN_INSERTITEM) {
        zmena.zmena = true;
    } else if (oznameni.code == LVN_ITEMCHANGED) {
        const auto& radek = reinterpret_cast<const NMLISTVIEW&>(oznameni);
        const UINT zmeneny = radek.uOldState ^ radek.uNewState;
        zmena.vyber = (radek.uChanged & LVIF_STATE) != 0 && (zmeneny & LVIS_SELECTED) != 0;
        zmena.zmena =
            (radek.uChanged & (LVIF_TEXT | LVIF_IMAGE)) != 0 ||
            ((radek.uChanged & LVIF_STATE) != 0 && (zmeneny & (LVIS_SELECTED | LVIS_FOCUSED)) != 0);
    }
    return zmena;
}

} // namespace vantrel::okna
