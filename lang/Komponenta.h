#pragma once

#include <string>
#include <vector>

// A window and its components as the language engine translates them, whatever toolkit draws
// them: each shell gives the engine an adapter over its own widgets.
namespace vantrel {

// The translation mark: components marked so are translated, any other mark leaves them alone.
inline constexpr int ZnackaPreklad = -1;

// The kinds of component the engine knows, as bits: one component may be of several kinds (every
// visual control is Vizualni too; a bitmap button is Tlacitko and TlacitkoSObrazkem). The
// engine translates a marked component once for each of its kinds, in this order.
enum TDruhKomponenty : unsigned {
    dkVizualni = 1u << 0,           // any visual control: its hint
    dkTlacitko = 1u << 1,           // push button: caption, hint
    dkPopisek = 1u << 2,            // label: caption, hint
    dkPolozkaMenu = 1u << 3,        // menu item: caption
    dkAkce = 1u << 4,               // action: caption, the action's hint rule
    dkSkupina = 1u << 5,            // group box: caption
    dkStranka = 1u << 6,            // page of a tabbed control: caption
    dkSeznam = 1u << 7,             // list view: hint under the bare name, marked columns
    dkNastrojoveTlacitko = 1u << 8, // flat tool button: caption, hint
    dkSkupinaPrepinacu = 1u << 9,   // radio group: caption, hint, items
    dkZaskrtavatko = 1u << 10,      // check box: caption
    dkPanel = 1u << 11,             // panel: caption
    dkKombo = 1u << 12,             // combo box: items
    dkEditorHodnot = 1u << 13,      // key/value editor: hint "-H", key and value titles, rows
    dkPrepinac = 1u << 14,          // radio button: caption
    dkZaskrtavaciSeznam = 1u << 15, // check list box: hint, items
    dkTlacitkoSObrazkem = 1u << 16, // bitmap button: caption, hint (again)
};

// One component. What a kind does not have is never asked of it.
class TKomponenta {
public:
    virtual ~TKomponenta() = default;

    virtual unsigned Druhy() const = 0;
    virtual std::u16string Jmeno() const = 0;
    virtual int Znacka() const = 0;

    virtual std::u16string Titulek() const { return {}; }
    virtual void NastavTitulek(const std::u16string&) {}
    // A page's caption is its tab's where the toolkit keeps that apart from the control's own
    // (a group box placed as a page has both).
    virtual std::u16string TitulekStranky() const { return Titulek(); }
    virtual void NastavTitulekStranky(const std::u16string& titulek) { NastavTitulek(titulek); }

    // The hint "short|long"; whether the component shows its short hint as a tooltip.
    virtual std::u16string Hint() const { return {}; }
    virtual void NastavHint(const std::u16string&) {}
    virtual bool ZobrazHint() const { return true; }

    // Items of a list (radio group, combo box, check list box, key/value editor rows).
    virtual int PocetPolozek() const { return 0; }
    virtual std::u16string Polozka(int) const { return {}; }
    virtual void NastavPolozku(int, const std::u16string&) {}

    // Columns of a list view, each with its own mark.
    virtual int PocetSloupcu() const { return 0; }
    virtual int ZnackaSloupce(int) const { return 0; }
    virtual std::u16string Sloupec(int) const { return {}; }
    virtual void NastavSloupec(int, const std::u16string&) {}

    // The titles of a key/value editor's two columns.
    virtual std::u16string TitulekKlicu() const { return {}; }
    virtual void NastavTitulekKlicu(const std::u16string&) {}
    virtual std::u16string TitulekHodnot() const { return {}; }
    virtual void NastavTitulekHodnot(const std::u16string&) {}
};

// A window: its name (the section of its texts), mark and title, and its components in the
// order in which the window holds them (the order of creation).
class TFormular {
public:
    virtual ~TFormular() = default;
    virtual std::u16string Jmeno() const = 0;
    virtual int Znacka() const = 0;
    virtual std::u16string Titulek() const = 0;
    virtual void NastavTitulek(const std::u16string& titulek) = 0;
    // Collected before any is translated, so that a translation cannot disturb the walk.
    virtual std::vector<TKomponenta*> Komponenty() = 0;
};

} // namespace vantrel
