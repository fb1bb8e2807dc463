#pragma once

#include "lang/Komponenta.h"

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace vantrel {

class TJazykXML;

// A window of Qt widgets as the language engine translates it: its objectName is its name, the
// dynamic property "Tag" its mark (Znacky.h).
//
// Components are the window's descendants that have an objectName (widgets, actions, menus,
// everything), visited depth-first in child order, which is their creation order for windows
// built in code; a dialog owned by the window is a window of its own and is left out, a menu is
// not. Kinds of component and how each maps onto Qt, in the order they are applied:
//   visual control    any QWidget except a QMenu: hint (tooltip/status tip)
//   push button       QPushButton: text, hint
//   label             QLabel: text (made plain text, never markup), hint
//   menu item         QMenu: title
//   action            QAction: text, action hint
//   group box         QGroupBox: title
//   tab page          a page of a QTabWidget: its tab text
//   list view         QTreeWidget: hint under the bare name; header captions of marked columns
//                     (each column's mark is in its header item, Znacky.h)
//   flat tool button  QToolButton with autoRaise: text, hint
//   check box         QCheckBox: text
//   combo box         QComboBox: item texts
//   radio button      QRadioButton: text (never treated as a push button)
//   check list box    QListWidget whose items all have a check state (at least one item),
//                     or whose dynamic property "CheckList" is true: hint, item texts
//   bitmap button     QPushButton with an icon: handled again as such, with the same keys
// Radio groups, panels and key/value editors have no Qt counterpart here and are not handled.
// A hint is the property "Hint" (its short part the tooltip unless "ShowHint" is false, its long
// part the status tip; Znacky.h).
class TFormularQt : public TFormular {
public:
    explicit TFormularQt(QWidget& okno);
    ~TFormularQt() override;

    std::u16string Jmeno() const override;
    int Znacka() const override;
    std::u16string Titulek() const override;
    void NastavTitulek(const std::u16string& titulek) override;
    std::vector<TKomponenta*> Komponenty() override;

private:
    QWidget& okno_;
    std::vector<std::unique_ptr<TKomponenta>> komponenty_;
};

// Applies the engine's current language to a window of widgets (TJazykXML::PrelozFormular).
void PrelozFormular(const TJazykXML& jazyk, QWidget& okno);

} // namespace vantrel
