#pragma once

#include "lang/ChybaJazyka.h"
#include "lang/DokumentJazyka.h"
#include "lang/Komponenta.h"

#include <string>

namespace vantrel {

// One language of the language file's JAZYKY: its code (the element's name), the texts of its
// first three child nodes, and the position of its flag (attribute "index").
struct TPopisJazyka {
    std::u16string kod, nazev, verze, autor;
    int indexVlajky = 0;
};

// The language list that NactiJazyky fills, in the shell's own widget.
class TSeznamJazyku {
public:
    virtual ~TSeznamJazyku() = default;
    // Removes every row; a selected row is deselected first.
    virtual void Vymaz() = 0;
    virtual void Pridej(const TPopisJazyka& jazyk) = 0;
    // Selects the row (and makes it current).
    virtual void Vyber(int radek) = 0;
};

// The localization engine: one instance for the whole run, free of any toolkit.
class TJazykXML {
public:
    // Code of the current language: the element name of each entry's text in that language.
    std::u16string KodJazyka = u"CZ";
    // The loaded language file, not owned; nullptr until the file has been loaded. A tree
    // without a root element (a holder whose file was changed) counts as no document.
    const TDokumentJazyka* Dokument = nullptr;

    // The text of entry `klic` in section `sekce` for KodJazyka, or `vychozi` when the document
    // has no non-empty text for it (also without a document). Names match an element's
    // qualified or local name, case-sensitively; the first match wins. An empty KodJazyka
    // matches nothing, so every lookup gives its default. Throws EChybaJazyka ("Element does
    // not contain a single text node") when the language element holds anything but one piece
    // of character data.
    std::u16string Preklad(const std::u16string& sekce, const std::u16string& klic,
                           const std::u16string& vychozi) const;

    // Applies the current language to the window (its title when marked) and to every marked
    // component, each kind by its rule, in the order of the kinds. Without a document nothing
    // changes. A failing lookup throws; what was translated before it stays.
    void PrelozFormular(TFormular& okno) const;

    // Fills the language list from the element JAZYKY: one row per language description.
    // Selects the row of KodJazyka (ignoring case). Without a document the list ends empty. A
    // description without a whole-number "index", with fewer than three child nodes or with a
    // child element not holding a single text throws EChybaJazyka; the rows before it stay, the
    // faulty one is not added.
    void NactiJazyky(TSeznamJazyku& seznam) const;

private:
    bool MaDokument() const;
    void PrelozKomponentu(const std::u16string& sekce, TKomponenta& komponenta) const;
    void HintA(const std::u16string& sekce, TKomponenta& komponenta) const;
    void HintL(const std::u16string& sekce, const std::u16string& klic,
               TKomponenta& komponenta) const;
    void Titulek(const std::u16string& sekce, TKomponenta& komponenta) const;
    void Polozky(const std::u16string& sekce, TKomponenta& komponenta) const;
    static std::u16string Cislo(int i);
};

// The short and the long part of a hint "short|long"; a hint without "|" serves as both.
std::u16string KratkyHint(const std::u16string& hint);
std::u16string DlouhyHint(const std::u16string& hint);

} // namespace vantrel
