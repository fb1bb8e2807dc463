#include "lang/Znacky.h"

#include "lang/JazykyXML.h"

#include <QAction>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVariant>
#include <QWidget>

namespace vantrel {

void NastavZnacku(QObject* objekt, int znacka) {
    objekt->setProperty(VlastnostZnacka, znacka);
}

int Znacka(const QObject* objekt) {
    const QVariant v = objekt->property(VlastnostZnacka);
    bool ok = false;
    const int z = v.toInt(&ok);
    return ok ? z : 0;
}

void NastavZnackuSloupce(QTreeWidget* seznam, int sloupec, int znacka) {
    seznam->headerItem()->setData(sloupec, RoleZnackaSloupce, znacka);
}

int ZnackaSloupce(const QTreeWidget* seznam, int sloupec) {
    const QVariant v = seznam->headerItem()->data(sloupec, RoleZnackaSloupce);
    bool ok = false;
    const int z = v.toInt(&ok);
    return ok ? z : 0;
}

QString KratkyHint(const QString& hint) {
    return QString::fromStdU16String(KratkyHint(hint.toStdU16String()));
}

QString DlouhyHint(const QString& hint) {
    return QString::fromStdU16String(DlouhyHint(hint.toStdU16String()));
}

QString TextTipu(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

static void PouzijHint(QObject* objekt, const QString& hint) {
    const QString kratky = ZobrazHint(objekt) ? KratkyHint(hint) : QString();
    if (auto* w = qobject_cast<QWidget*>(objekt)) {
        w->setToolTip(TextTipu(kratky));
        w->setStatusTip(DlouhyHint(hint));
    } else if (auto* a = qobject_cast<QAction*>(objekt)) {
        a->setToolTip(TextTipu(kratky));
        a->setStatusTip(DlouhyHint(hint));
    }
}

void NastavHint(QObject* objekt, const QString& hint) {
    objekt->setProperty(VlastnostHint, hint);
    PouzijHint(objekt, hint);
}

QString Hint(const QObject* objekt) {
    const QVariant v = objekt->property(VlastnostHint);
    if (v.isValid())
        return v.toString();
    if (auto* w = qobject_cast<const QWidget*>(objekt)) {
        const QString kratky = w->toolTip();
        const QString dlouhy = w->statusTip();
        if (kratky == dlouhy)
            return kratky;
        return kratky + QLatin1Char('|') + dlouhy;
    }
    return {};
}

void NastavZobrazHint(QObject* objekt, bool zobrazit) {
    const QString hint = Hint(objekt);
    objekt->setProperty(VlastnostZobrazHint, zobrazit);
    if (!hint.isEmpty())
        NastavHint(objekt, hint);
}

bool ZobrazHint(const QObject* objekt) {
    const QVariant v = objekt->property(VlastnostZobrazHint);
    return v.isValid() ? v.toBool() : true;
}

} // namespace vantrel
