#include "lang/JazykyXML.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDomDocument>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace vantrel {

namespace {

const QLatin1Char Oddelovac('|');

// First child element whose qualified name or local name (the part after a prefix) is `jmeno`.
QDomElement Dite(const QDomNode& rodic, const QString& jmeno) {
    if (jmeno.isEmpty())
        return {};
    for (QDomNode n = rodic.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (!n.isElement())
            continue;
        const QString q = n.nodeName();
        if (q == jmeno)
            return n.toElement();
        const qsizetype dvojtecka = q.indexOf(QLatin1Char(':'));
        if (dvojtecka >= 0 && QStringView(q).mid(dvojtecka + 1) == jmeno)
            return n.toElement();
    }
    return {};
}

// The text of an element: its single child of character data; empty without children.
QString TextPrvku(const QDomElement& prvek) {
    const QDomNode prvni = prvek.firstChild();
    if (prvni.isNull())
        return {};
    // isText() holds for CDATA sections as well.
    if (!prvni.nextSibling().isNull() || !prvni.isText())
        throw EChybaJazyka(QStringLiteral("Element does not contain a single text node"));
    return prvni.nodeValue();
}

QString TextUzlu(const QDomNode& uzel) {
    return uzel.isElement() ? TextPrvku(uzel.toElement()) : uzel.nodeValue();
}

void SesbirejPotomky(QObject& rodic, QList<QObject*>& komponenty) {
    for (QObject* dite : rodic.children()) {
        // A dialog owned by the window is a window of its own, translated in its own section;
        // a menu is a window too, but it belongs to this one.
        auto* widget = qobject_cast<QWidget*>(dite);
        if (widget != nullptr && widget->isWindow() && qobject_cast<QMenu*>(widget) == nullptr)
            continue;
        komponenty.append(dite);
        SesbirejPotomky(*dite, komponenty);
    }
}

QTabWidget* ZalozkyStranky(QWidget* w) {
    auto* zasobnik = qobject_cast<QStackedWidget*>(w->parentWidget());
    if (!zasobnik)
        return nullptr;
    auto* zalozky = qobject_cast<QTabWidget*>(zasobnik->parentWidget());
    return zalozky && zalozky->indexOf(w) >= 0 ? zalozky : nullptr;
}

bool JeZaskrtavaciSeznam(const QListWidget& seznam) {
    const QVariant urceno = seznam.property("CheckList");
    if (urceno.isValid())
        return urceno.toBool();
    if (seznam.count() == 0)
        return false;
    for (int i = 0; i < seznam.count(); ++i) {
        // Items are user-checkable by default; only those with a check state show a box.
        if (!seznam.item(i)->data(Qt::CheckStateRole).isValid())
            return false;
    }
    return true;
}

} // namespace

bool TJazykXML::MaDokument() const {
    return Dokument && !Dokument->isNull();
}

QString TJazykXML::Preklad(const QString& sekce, const QString& klic,
                           const QString& vychozi) const {
    if (!MaDokument())
        return vychozi;
    const QDomElement oddil = Dite(Dokument->documentElement(), sekce);
    if (oddil.isNull())
        return vychozi;
    const QDomElement polozka = Dite(oddil, klic);
    if (polozka.isNull())
        return vychozi;
    const QDomElement jazyk = Dite(polozka, KodJazyka);
    if (jazyk.isNull())
        return vychozi;
    const QString text = TextPrvku(jazyk);
    return text.isEmpty() ? vychozi : text;
}

void TJazykXML::HintA(const QString& sekce, QObject& komponenta) const {
    const QString hint = Hint(&komponenta);
    if (hint.isEmpty())
        return;
    const QString t = Preklad(sekce, komponenta.objectName() + QStringLiteral("-H"), hint);
    NastavHint(&komponenta, ZobrazHint(&komponenta) ? t + Oddelovac : Oddelovac + t);
}

void TJazykXML::HintL(const QString& sekce, const QString& klic, QObject& komponenta) const {
    const QString hint = Hint(&komponenta);
    if (hint.isEmpty())
        return;
    NastavHint(&komponenta, Oddelovac + Preklad(sekce, klic, hint));
}

void TJazykXML::PrelozKomponentu(const QString& s, QObject& k) const {
    const QString n = k.objectName();
    auto* widget = qobject_cast<QWidget*>(&k);
    auto* menu = qobject_cast<QMenu*>(&k);
    auto* tlacitko = qobject_cast<QPushButton*>(&k);

    if (widget && !menu)
        HintA(s, k);
    if (tlacitko) {
        tlacitko->setText(Preklad(s, n, tlacitko->text()));
        HintA(s, k);
    }
    if (auto* popisek = qobject_cast<QLabel*>(&k)) {
        // Texts of the language file are character data, never markup.
        popisek->setTextFormat(Qt::PlainText);
        popisek->setText(Preklad(s, n, popisek->text()));
        HintA(s, k);
    }
    if (menu)
        menu->setTitle(Preklad(s, n, menu->title()));
    if (auto* akce = qobject_cast<QAction*>(&k)) {
        akce->setText(Preklad(s, n, akce->text()));
        const QString t = Preklad(s, n + QStringLiteral("-H"), Hint(akce));
        NastavHint(akce, t.endsWith(Oddelovac) ? t : akce->text() + Oddelovac + t);
    }
    if (auto* skupina = qobject_cast<QGroupBox*>(&k))
        skupina->setTitle(Preklad(s, n, skupina->title()));
    if (widget) {
        if (QTabWidget* zalozky = ZalozkyStranky(widget)) {
            const int i = zalozky->indexOf(widget);
            zalozky->setTabText(i, Preklad(s, n, zalozky->tabText(i)));
        }
    }
    if (auto* seznam = qobject_cast<QTreeWidget*>(&k)) {
        HintL(s, n, k);
        QTreeWidgetItem* hlavicka = seznam->headerItem();
        for (int i = 0; i < seznam->columnCount(); ++i) {
            if (ZnackaSloupce(seznam, i) == ZnackaPreklad)
                hlavicka->setText(i, Preklad(s, n + QString::number(i), hlavicka->text(i)));
        }
    }
    if (auto* nastroj = qobject_cast<QToolButton*>(&k); nastroj && nastroj->autoRaise()) {
        nastroj->setText(Preklad(s, n, nastroj->text()));
        HintA(s, k);
    }
    if (auto* zaskrtavatko = qobject_cast<QCheckBox*>(&k))
        zaskrtavatko->setText(Preklad(s, n, zaskrtavatko->text()));
    if (auto* kombo = qobject_cast<QComboBox*>(&k)) {
        for (int i = 0; i < kombo->count(); ++i)
            kombo->setItemText(i, Preklad(s, n + QString::number(i), kombo->itemText(i)));
    }
    if (auto* prepinac = qobject_cast<QRadioButton*>(&k))
        prepinac->setText(Preklad(s, n, prepinac->text()));
    if (auto* seznam = qobject_cast<QListWidget*>(&k); seznam && JeZaskrtavaciSeznam(*seznam)) {
        HintA(s, k);
        for (int i = 0; i < seznam->count(); ++i) {
            QListWidgetItem* polozka = seznam->item(i);
            polozka->setText(Preklad(s, n + QString::number(i), polozka->text()));
        }
    }
    if (tlacitko && !tlacitko->icon().isNull()) {
        tlacitko->setText(Preklad(s, n, tlacitko->text()));
        HintA(s, k);
    }
}

void TJazykXML::PrelozFormular(QWidget& okno) const {
    if (!MaDokument())
        return;
    const QString sekce = okno.objectName();
    if (Znacka(&okno) == ZnackaPreklad)
        okno.setWindowTitle(Preklad(sekce, sekce, okno.windowTitle()));

    // Collected first so that a component's translation cannot disturb the walk.
    QList<QObject*> komponenty;
    SesbirejPotomky(okno, komponenty);
    for (QObject* k : komponenty) {
        if (!k->objectName().isEmpty() && Znacka(k) == ZnackaPreklad)
            PrelozKomponentu(sekce, *k);
    }
}

void TJazykXML::NactiJazyky(QTreeWidget& seznam, const QList<QIcon>& vlajky) const {
    // Deselect explicitly, so the selection handler sees the old row go (OK disabled).
    seznam.clearSelection();
    seznam.clear();
    if (!MaDokument())
        return;
    const QDomElement jazyky = Dite(Dokument->documentElement(), QStringLiteral("JAZYKY"));
    if (jazyky.isNull())
        return;

    for (QDomNode n = jazyky.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (!n.isElement())
            continue;
        const QDomElement popis = n.toElement();
        const QString kod = popis.nodeName();
        const QDomNodeList deti = popis.childNodes();
        if (deti.size() < 3)
            throw EChybaJazyka(
                QStringLiteral("Language '%1' has fewer than three child nodes").arg(kod));
        QStringList texty{kod};
        for (int i = 0; i < 3; ++i)
            texty.append(TextUzlu(deti.at(i)));
        if (!popis.hasAttribute(QStringLiteral("index")))
            throw EChybaJazyka(QStringLiteral("Language '%1' has no attribute 'index'").arg(kod));
        const QString hodnota = popis.attribute(QStringLiteral("index"));
        bool ok = false;
        const int index = hodnota.trimmed().toInt(&ok, 10);
        if (!ok)
            throw EChybaJazyka(QStringLiteral("'%1' is not a valid integer value (attribute "
                                              "'index' of language '%2')")
                                   .arg(hodnota, kod));

        auto* radek = new QTreeWidgetItem(texty);
        radek->setData(0, RoleIndexVlajky, index);
        if (index >= 0 && index < vlajky.size())
            radek->setIcon(0, vlajky.at(index));
        seznam.addTopLevelItem(radek);
    }

    for (int i = 0; i < seznam.topLevelItemCount(); ++i) {
        QTreeWidgetItem* radek = seznam.topLevelItem(i);
        if (radek->text(0).compare(KodJazyka, Qt::CaseInsensitive) == 0) {
            seznam.setCurrentItem(radek);
            radek->setSelected(true);
            break;
        }
    }
}

} // namespace vantrel
