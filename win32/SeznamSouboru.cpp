#include "win32/SeznamSouboru.h"

#include "support/SoubUtility.h"
#include "win32/Dpi.h"
#include "win32/PohledSeznamu.h"

#include <algorithm>

namespace vantrel::okna {

void TSeznamSouboru::Vytvor(HWND rodic) {
    seznam_ = VytvorPohledSeznamu(rodic, 0);
    for (int i = 0; i < 4; ++i)
        VlozSloupec(seznam_, i, SloupceSouboru[i].titulek, SloupceSouboru[i].sirka);
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
    // The path is there when the list reports the new row.
    cesty_.push_back(radek.cesta);
    const int pozice = PridejRadek(seznam_, radek.titulek, StavCeka);
    if (pozice < 0) {
        cesty_.pop_back();
        return;
    }
    NastavTextBunky(seznam_, pozice, 1, radek.velikost);
    NastavTextBunky(seznam_, pozice, 2, radek.datum);
    NastavTextBunky(seznam_, pozice, 3, radek.typ);
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
        const int radek = VybranyRadek(seznam_);
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
