#include "lang/SeznamJazykuQt.h"

#include <QTreeWidget>

namespace vantrel {

void TSeznamJazykuQt::Vymaz() {
    // Deselect explicitly, so the selection handler sees the old row go (OK disabled).
    seznam_.clearSelection();
    seznam_.clear();
}

void TSeznamJazykuQt::Pridej(const TPopisJazyka& jazyk) {
    auto* radek = new QTreeWidgetItem(QStringList{
        QString::fromStdU16String(jazyk.kod), QString::fromStdU16String(jazyk.nazev),
        QString::fromStdU16String(jazyk.verze), QString::fromStdU16String(jazyk.autor)});
    radek->setData(0, RoleIndexVlajky, jazyk.indexVlajky);
    if (jazyk.indexVlajky >= 0 && jazyk.indexVlajky < vlajky_.size())
        radek->setIcon(0, vlajky_.at(jazyk.indexVlajky));
    seznam_.addTopLevelItem(radek);
}

void TSeznamJazykuQt::Vyber(int radek) {
    QTreeWidgetItem* polozka = seznam_.topLevelItem(radek);
    seznam_.setCurrentItem(polozka);
    polozka->setSelected(true);
}

void NactiJazyky(const TJazykXML& jazyk, QTreeWidget& seznam, const QList<QIcon>& vlajky) {
    TSeznamJazykuQt seznamJazyku(seznam, vlajky);
    jazyk.NactiJazyky(seznamJazyku);
}

} // namespace vantrel
