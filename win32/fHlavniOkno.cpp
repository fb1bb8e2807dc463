// The main window as the view of its rules (TPohledHlavnihoOkna).

#include "win32/fHlavni.h"
#include "win32/fJazyk.h"
#include "win32/fOAplikaci.h"

namespace vantrel::okna {

int THlavniForm::PocetRadku() const {
    return seznam_.Pocet();
}

std::u16string THlavniForm::CestaRadku(int radek) const {
    return seznam_.Cesta(radek);
}

void THlavniForm::PridejRadek(const TPolozkaSouboru& radek) {
    seznam_.Pridej(radek);
}

int THlavniForm::StavRadku(int radek) const {
    return seznam_.Stav(radek);
}

void THlavniForm::NastavStavRadku(int radek, TStavRadku stav) {
    seznam_.NastavStav(radek, stav);
}

bool THlavniForm::MaVybraneRadky() const {
    return seznam_.MaVybrane();
}

void THlavniForm::OdstranVybraneRadky() {
    seznam_.OdstranVybrane();
}

void THlavniForm::OdstranVsechnyRadky() {
    seznam_.OdstranVse();
}

void THlavniForm::PovolAkci(TAkce akce, bool povolena) {
    TAkceOkna& stav = akce_[static_cast<std::size_t>(akce)];
    if (stav.povolena == povolena)
        return;
    stav.povolena = povolena;
    lista_.Povol(static_cast<int>(akce), povolena);
}

void THlavniForm::NastavPocet(const std::u16string& text) {
    stav_.NastavPocet(text);
}

void THlavniForm::NastavZpravu(const std::u16string& zacatek, const std::u16string& jmeno,
                               const std::u16string& konec) {
    stav_.NastavZpravu(zacatek, jmeno, konec);
}

bool THlavniForm::VyberVstupy(std::vector<std::u16string>& soubory) {
    if (!OpenTextFileDialog1.Execute(Handle()))
        return false;
    soubory = OpenTextFileDialog1.Files();
    return true;
}

bool THlavniForm::VyberVystup(std::u16string& soubor) {
    if (!SaveTextFileDialog1.Execute(Handle()))
        return false;
    soubor = SaveTextFileDialog1.FileName();
    return true;
}

bool THlavniForm::VyberJazyk(const TJazykXML& jazyk, std::u16string& kod, int& pozice) {
    return jazykForm_ != nullptr && jazykForm_->Vyber(jazyk, kod, pozice);
}

void THlavniForm::ZobrazOAplikaci() {
    if (oAplikaciForm_ != nullptr)
        oAplikaciForm_->ZobrazModalne(Handle());
}

void THlavniForm::NastavObrazekJazyka(int index) {
    akce_[static_cast<std::size_t>(TAkce::Jazyk)].obrazek = index;
    lista_.Obnov();
}

// The toolbar's captions and tooltips follow the actions' texts, also when the main window's
// translation stops half way.
void THlavniForm::PrelozOkna(const TJazykXML& jazyk) {
    try {
        jazyk.PrelozFormular(*this);
    } catch (...) {
        lista_.Obnov();
        Rozmisti();
        throw;
    }
    lista_.Obnov();
    Rozmisti();
    if (oAplikaciForm_ != nullptr)
        jazyk.PrelozFormular(*oAplikaciForm_);
    if (jazykForm_ != nullptr)
        jazyk.PrelozFormular(*jazykForm_);
}

// Screen readers name the list and the toolbar by their window texts, which neither shows.
void THlavniForm::NastavPristupneTexty(const TPristupneTexty& texty) {
    NastavTextOkna(seznam_.Handle(), texty.seznam);
    NastavTextOkna(lista_.Handle(), texty.lista);
}

void THlavniForm::Pipni() {
    MessageBeep(MB_OK);
}

void THlavniForm::ZpracujUdalosti() {
    MSG zprava;
    while (PeekMessageW(&zprava, nullptr, 0, 0, PM_REMOVE)) {
        if (zprava.message == WM_QUIT) {
            // The loop that waits for the end gets it as well.
            PostQuitMessage(static_cast<int>(zprava.wParam));
            return;
        }
        if (!PrelozKlavesu(zprava)) {
            TranslateMessage(&zprava);
            DispatchMessageW(&zprava);
        }
    }
}

void THlavniForm::Zavri() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

} // namespace vantrel::okna
