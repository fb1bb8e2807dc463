#pragma once

#include "lang/SouborJazyka.h"
#include "pravidla/HlavniOkno.h"
#include "pravidla/Umisteni.h"
#include "win32/Komponenty.h"
#include "win32/Lista.h"
#include "win32/Obrazky.h"
#include "win32/Okno.h"
#include "win32/Pismo.h"
#include "win32/SeznamSouboru.h"
#include "win32/StavovyRadek.h"
#include "win32/TextoveDialogy.h"

#include <string>
#include <vector>

namespace vantrel::okna {

class TJazykForm;
class TOAplikaciForm;

// The main window HlavniForm: the toolbar of the seven actions, the file list and the status
// bar, drawn for the rules of THlavniOkno, which it serves as their view. Its placement and the
// language are kept in the registry between runs.
class THlavniForm : public TOkno, public TPohledHlavnihoOkna, public TFormularOkna {
public:
    // Creates the window, hidden, and reads the settings (FormCreate).
    THlavniForm(TJazykXML& jazyk, const THlaseni& hlaseni, TSouborJazyka& souborJazyka);
    ~THlavniForm() override;

    // The two other windows, which NastavJazyk translates after this one.
    void NastavOkna(TOAplikaciForm* oAplikaciForm, TJazykForm* jazykForm);
    // Where the language file is looked for; beside the running executable unless set.
    void NastavCestuJazyka(const std::u16string& cesta) { cestaJazyka_ = cesta; }

    // Shows the window as the settings left it, or as `pokaz` asks, and applies the language
    // (FormShow).
    void Zobraz(int pokaz);
    // A key for the window's shortcuts and its toolbar's access keys (Alt+letter), taken before
    // the message is dispatched; true when it was one.
    bool PrelozKlavesu(MSG& zprava);

    THlavniOkno& Pravidla() { return okno_; }
    HWND livSoubory() const { return seznam_.Handle(); }
    HWND ActionToolBar1() const { return lista_.Handle(); }
    HWND StatusBar1() const { return stav_.Handle(); }

    // TPohledHlavnihoOkna
    int PocetRadku() const override;
    std::u16string CestaRadku(int radek) const override;
    void PridejRadek(const TPolozkaSouboru& radek) override;
    int StavRadku(int radek) const override;
    void NastavStavRadku(int radek, TStavRadku stav) override;
    bool MaVybraneRadky() const override;
    void OdstranVybraneRadky() override;
    void OdstranVsechnyRadky() override;
    void PovolAkci(TAkce akce, bool povolena) override;
    void NastavPocet(const std::u16string& text) override;
    void NastavZpravu(const std::u16string& zacatek, const std::u16string& jmeno,
                      const std::u16string& konec) override;
    bool VyberVstupy(std::vector<std::u16string>& soubory) override;
    bool VyberVystup(std::u16string& soubor) override;
    bool VyberJazyk(const TJazykXML& jazyk, std::u16string& kod, int& pozice) override;
    void ZobrazOAplikaci() override;
    void NastavObrazekJazyka(int index) override;
    void PrelozOkna(const TJazykXML& jazyk) override;
    void NastavPristupneTexty(const TPristupneTexty& texty) override;
    void Pipni() override;
    void ZpracujUdalosti() override;
    void Zavri() override;

protected:
    HWND OknoFormulare() const override { return Handle(); }
    LRESULT Zprava(UINT zprava, WPARAM w, LPARAM l) override;

private:
    void VytvorAkce();
    void VytvorAkcelerator();
    // Fonts, images and designed sizes for the window's DPI and the desktop's text size.
    void NastavDpi(UINT dpi);
    void Rozmisti();
    std::vector<TObdelnik> Plochy() const;
    TRozmer NavrzeneMinimum() const;
    RECT VnejsiObrys() const;

    void FormCreate();
    void Umisti(const TNastaveniOkna& nastaveni);
    void FormShow();
    void FormClose();
    bool Oznameni(const NMHDR& oznameni, LRESULT& vysledek);

    TAkceOken akce_;
    TLista lista_{akce_};
    TSeznamSouboru seznam_;
    TStavovyRadek stav_;
    TOpenTextFileDialog OpenTextFileDialog1;
    TSaveTextFileDialog SaveTextFileDialog1;
    TSeznamObrazku imlMenu_, imlSoubory_;
    TPismo pismo_;
    UINT dpi_ = 96;
    double meritko_ = 1;
    // The least outer size on the window's monitor.
    TRozmer minimum_{640, 480};
    HACCEL akcelerator_ = nullptr;
    bool maximalni_ = false;
    std::u16string cestaJazyka_;
    TOAplikaciForm* oAplikaciForm_ = nullptr;
    TJazykForm* jazykForm_ = nullptr;
    THlavniOkno okno_;
};

} // namespace vantrel::okna
