#pragma once

#include "lang/JazykyXML.h"

#include <QIcon>
#include <QList>
#include <Qt>

class QTreeWidget;

namespace vantrel {

// Column 0 of a row keeps the language's flag index (attribute "index") at this role, also when
// no flag image exists for it.
inline constexpr int RoleIndexVlajky = Qt::UserRole + 0x4A02;

// The language list in a QTreeWidget of four columns: code, name, version, author; the row's
// icon is the flag at the language's index, none where there is no such flag.
class TSeznamJazykuQt : public TSeznamJazyku {
public:
    TSeznamJazykuQt(QTreeWidget& seznam, const QList<QIcon>& vlajky)
        : seznam_(seznam), vlajky_(vlajky) {}

    void Vymaz() override;
    void Pridej(const TPopisJazyka& jazyk) override;
    void Vyber(int radek) override;

private:
    QTreeWidget& seznam_;
    QList<QIcon> vlajky_;
};

// Fills the list with the engine's NactiJazyky.
void NactiJazyky(const TJazykXML& jazyk, QTreeWidget& seznam, const QList<QIcon>& vlajky);

} // namespace vantrel
