#pragma once

#include "lang/JazykyXML.h"
#include "lang/SouborJazyka.h"
#include "pravidla/Nastaveni.h"
#include "support/Hlaseni.h"
#include "support/SoubUtility.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The main window's rules, free of any toolkit: its actions, the file list's rules, the join's
// sequence and report, the language switch and the settings. Each shell draws the window and
// hands the rules a view of it (TPohledHlavnihoOkna); the rules never touch a widget.
namespace vantrel {

// The seven actions, in the order of the toolbar.
enum class TAkce { Konec, Pridat, Smazat, SmazatVse, Spojit, Jazyk, OAplikaci };
inline constexpr int PocetAkci = 7;

// Keys of the shortcuts, each shell mapping them to its own codes.
enum class TKlavesa { F1, F4, F9, Insert, Delete, J };
struct TZkratka {
    TKlavesa klavesa;
    bool shift = false;
    bool ctrl = false;
};

// One action as the window is designed: its component name, caption, the toolbar's caption with
// its access key ("&"), hint, shortcut, image in imlMenu, whether it is enabled at start and
// whether a separator stands before it on the toolbar.
struct TPopisAkce {
    TAkce akce;
    const char* jmeno;
    const char16_t* titulek;
    const char16_t* naListe;
    const char16_t* hint;
    TZkratka zkratka;
    int obrazek;
    bool povolena;
    bool oddelovacPred;
};
extern const TPopisAkce Akce[PocetAkci];
const TPopisAkce& PopisAkce(TAkce akce);

// The file list's columns as designed: captions and widths in design pixels.
struct TPopisSloupce {
    const char16_t* titulek;
    int sirka;
};
extern const TPopisSloupce SloupceSouboru[4];

// The window as designed: its client area, and the least outer size, in design pixels.
inline constexpr int SirkaNavrhu = 632;
inline constexpr int VyskaNavrhu = 446;
inline constexpr int SirkaMinimalni = 640;
inline constexpr int VyskaMinimalni = 480;

// The state image of a row: 0 waiting, 1 joined.
enum TStavRadku : int { StavCeka = 0, StavSpojen = 1 };

// The names a screen reader gives the list, the toolbar and the status bar, and the states of a
// row, in the current language.
struct TPristupneTexty {
    std::u16string seznam, lista, stavovyRadek;
    std::u16string stavy[2];
};

// A row of the file list, its texts worked out once when it is added.
struct TPolozkaSouboru {
    std::u16string cesta;   // the path the join opens
    std::u16string titulek; // the path as shown (CitelnaCesta)
    std::u16string velikost, datum, typ;
};

// What the rules ask of the main window's widgets.
class TPohledHlavnihoOkna {
public:
    virtual ~TPohledHlavnihoOkna() = default;

    // The file list. Adding a row, and changing a row's image, raise the list's own update
    // (livSouboryChange) as a change of the list does in the shell.
    virtual int PocetRadku() const = 0;
    virtual std::u16string CestaRadku(int radek) const = 0;
    virtual void PridejRadek(const TPolozkaSouboru& radek) = 0;
    virtual int StavRadku(int radek) const = 0;
    virtual void NastavStavRadku(int radek, TStavRadku stav) = 0;
    virtual bool MaVybraneRadky() const = 0;
    // Remove rows without raising the list's updates; the rules update afterwards.
    virtual void OdstranVybraneRadky() = 0;
    virtual void OdstranVsechnyRadky() = 0;

    virtual void PovolAkci(TAkce akce, bool povolena) = 0;
    // Status panel 0 (the count) and panel 1 (the join's report, in three parts so that a shell
    // short of room can shorten the name alone; all empty to clear it).
    virtual void NastavPocet(const std::u16string& text) = 0;
    virtual void NastavZpravu(const std::u16string& zacatek, const std::u16string& jmeno,
                              const std::u16string& konec) = 0;

    // The two file dialogs; false when cancelled.
    virtual bool VyberVstupy(std::vector<std::u16string>& soubory) = 0;
    virtual bool VyberVystup(std::u16string& soubor) = 0;
    // The language dialog (filled by the rules through its TSeznamJazyku); the chosen row's code
    // and position, or false.
    virtual bool VyberJazyk(const TJazykXML& jazyk, std::u16string& kod, int& pozice) = 0;
    virtual void ZobrazOAplikaci() = 0;
    // The action aJazyk shows this image of imlMenu (none where there is no such image).
    virtual void NastavObrazekJazyka(int index) = 0;
    // Translates the main window, the about dialog and the language dialog, in that order.
    virtual void PrelozOkna(const TJazykXML& jazyk) = 0;
    virtual void NastavPristupneTexty(const TPristupneTexty& texty) = 0;

    virtual void Pipni() = 0;
    // Lets the window process its pending events (between the files of a join).
    virtual void ZpracujUdalosti() = 0;
    virtual void Zavri() = 0;
};

// Where the language file is looked for: "vtrl.xml" in the folder of the running executable;
// empty when the platform cannot tell where that is.
std::u16string CestaJazykaUProgramu();

// The rules of the main window over its view.
class THlavniOkno {
public:
    THlavniOkno(TPohledHlavnihoOkna& pohled, TJazykXML& jazyk, const THlaseni& hlaseni,
                TSouborJazyka& souborJazyka);

    // The action's handler: every action of the window ends here.
    void Proved(TAkce akce);
    // After an action, also one that failed: an exit asked for during a join comes once the
    // join and its report are over.
    void PoAkci();

    // The list's own updates: a row added or changed, the selection or focus moved.
    void livSouboryChange();
    void livSouborySelectItem();

    // The count text of the status bar: rsSOUBORU, ": " and the number of rows.
    std::u16string TextPoctu() const;
    void ObnovPocet();

    // Loads the language file (once), fetches the message texts, translates the three windows
    // and rewrites the status bar. `cesta` is where the language file is looked for.
    void NastavJazyk(const std::u16string& cesta);
    // The window is shown for the first time: its language, then the count. A language file
    // that fails leaves the status bar empty.
    void FormShow(const std::u16string& cestaJazyka);
    // The accessible names in the language of `jazyk` (the built-in ones without a document).
    static TPristupneTexty PristupneTexty(const TJazykXML& jazyk);

    int IndexObrazkuJazyka() const { return indexObrazkuJazyka_; }
    void NastavIndexObrazkuJazyka(int index);

    // The settings, read when the window is created: the language and its image are applied
    // here, the placement by `umisti` (what was read before a failure too), then a failure is
    // shown in its box.
    void NactiNastaveni(TRegistr& registr,
                        const std::function<void(const TNastaveniOkna&)>& umisti);
    // Written when the window closes: the language and its image, and `okno`'s placement. A
    // failure is shown in its box.
    void UlozNastaveni(TRegistr& registr, TNastaveniOkna okno);

    // A join is running: the window's close waits for it (the shell asks before it closes).
    bool Spojuje() const { return spojuje_; }
    // Asks to close; during a join the close comes once the join has ended. True when the
    // window may close now.
    bool ZadostOZavreni();

private:
    void aPridatExecute();
    void aSmazatExecute();
    void aSmazatVseExecute();
    void aSpojitExecute();
    void aJazykExecute();
    bool PotvrdSmazani();
    void ZakazAkceSeznamu();
    void PovolAkceSeznamu();

    TPohledHlavnihoOkna& pohled_;
    TJazykXML& jazyk_;
    const THlaseni& hlaseni_;
    TSouborJazyka& souborJazyka_;
    int indexObrazkuJazyka_;
    bool spojuje_ = false;
    bool zavritPoSpojeni_ = false;
};

} // namespace vantrel
