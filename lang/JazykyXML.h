#pragma once

#include "lang/ChybaJazyka.h"
#include "lang/XmlDokument.h"
#include "lang/Znacky.h"

#include <QIcon>
#include <QList>
#include <QString>

class QDomDocument;
class QObject;
class QTreeWidget;
class QWidget;

namespace vantrel {

// Column 0 of a row filled by NactiJazyky keeps the language's flag index (attribute "index")
// at this role, also when no flag image exists for it.
inline constexpr int RoleIndexVlajky = Qt::UserRole + 0x4A02;

// The localization engine: one instance for the whole run.
//
// Components are the window's descendants that have an objectName (widgets, actions, menus,
// everything), visited depth-first in child order, which is their creation order for windows
// built in code. Kinds of component and how each maps onto Qt, in the order they are applied:
//   visual control    any QWidget except a QMenu: hint (tooltip/status tip)
//   push button       QPushButton: text, hint
//   label             QLabel: text, hint
//   menu item         QMenu: title
//   action            QAction: text, action hint
//   group box         QGroupBox: title
//   tab page          a page of a QTabWidget: its tab text
//   list view         QTreeWidget: hint under the bare name; header captions of marked columns
//   flat tool button  QToolButton with autoRaise: text, hint
//   check box         QCheckBox: text
//   combo box         QComboBox: item texts
//   radio button      QRadioButton: text (never treated as a push button)
//   check list box    QListWidget whose items are all user-checkable, or whose dynamic
//                     property "CheckList" is true: hint, item texts
//   bitmap button     QPushButton with an icon: handled again as such, with the same keys
// Radio groups, panels and key/value editors have no Qt counterpart here and are not handled.
class TJazykXML {
public:
    // Code of the current language: the element name of each entry's text in that language.
    QString KodJazyka = QStringLiteral("CZ");
    // The loaded language file, not owned; nullptr until the file has been loaded.
    QDomDocument* Dokument = nullptr;

    // The text of entry `klic` in section `sekce` for KodJazyka, or `vychozi` when the document
    // has no non-empty text for it (also without a document). Names match an element's
    // qualified or local name, case-sensitively; the first match wins. An empty KodJazyka
    // matches nothing, so every lookup gives its default. Throws EChybaJazyka ("Element does
    // not contain a single text node") when the language element holds anything but one piece
    // of character data.
    QString Preklad(const QString& sekce, const QString& klic, const QString& vychozi) const;

    // Applies the current language to the window (its title when marked) and to every marked
    // component. Without a document nothing changes. A failing lookup throws; what was
    // translated before it stays.
    void PrelozFormular(QWidget& okno) const;

    // Fills the language list from the element JAZYKY: one row per language description,
    // caption its code, columns 1..3 the texts of its first three child nodes, icon
    // vlajky[index]. Selects the row of KodJazyka (ignoring case). Without a document the list
    // ends empty. A description without a whole-number "index", with fewer than three child
    // nodes or with a child element not holding a single text throws EChybaJazyka; the rows
    // before it stay, the faulty one is not added.
    void NactiJazyky(QTreeWidget& seznam, const QList<QIcon>& vlajky) const;

private:
    bool MaDokument() const;
    void PrelozKomponentu(const QString& sekce, QObject& komponenta) const;
    void HintA(const QString& sekce, QObject& komponenta) const;
    void HintL(const QString& sekce, const QString& klic, QObject& komponenta) const;
};

} // namespace vantrel
