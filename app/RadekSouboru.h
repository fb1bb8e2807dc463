#pragma once

#include <QTreeWidgetItem>

namespace vantrel {

// The path that the join opens, kept in column 0 at this role: the caption shows it as the user
// reads it, which differs where a name is in the locale's codeset rather than UTF-8.
inline constexpr int RoleCesta = Qt::UserRole + 1;

// A row of the file list. Its state (0 waiting, 1 joined, in Qt::UserRole of column 0) is also
// the first cell's accessible description, read from the two texts given, which the window keeps
// in its current language: a screen reader hears what the state image shows.
class TRadekSouboru : public QTreeWidgetItem {
public:
    explicit TRadekSouboru(const QString (&popisyStavu)[2]) : popisyStavu_(popisyStavu) {}

    QVariant data(int sloupec, int role) const override;

private:
    const QString (&popisyStavu_)[2];
};

} // namespace vantrel
