#include "app/RadekSouboru.h"

namespace vantrel {

QVariant TRadekSouboru::data(int sloupec, int role) const {
    if (sloupec == 0 && role == Qt::AccessibleDescriptionRole) {
        const int stav = QTreeWidgetItem::data(0, Qt::UserRole).toInt();
        return stav == 0 || stav == 1 ? popisyStavu_[stav] : QString();
    }
    return QTreeWidgetItem::data(sloupec, role);
}

} // namespace vantrel
