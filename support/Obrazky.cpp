#include "support/Obrazky.h"

#include <QString>

// The pictures are compiled in by the object library vantrel_resources, which the program
// links; without it the icons below are empty.

namespace vantrel {

namespace {

QList<QIcon> Ikony(std::initializer_list<const char*> soubory) {
    QList<QIcon> ikony;
    ikony.reserve(static_cast<qsizetype>(soubory.size()));
    for (const char* soubor : soubory)
        ikony.append(QIcon(QStringLiteral(":/images/") + QLatin1String(soubor)));
    return ikony;
}

} // namespace

QList<QIcon> ObrazkyVlajek() {
    return Ikony(
        {"flag-cz.svg", "flag-gb.svg", "flag-sk.svg", "flag-de.svg", "flag-fr.svg", "flag-es.svg"});
}

QList<QIcon> ObrazkyMenu() {
    QList<QIcon> obrazky =
        Ikony({"exit.svg", "add.svg", "remove.svg", "remove-all.svg", "join.svg", "about.svg"});
    obrazky.append(ObrazkyVlajek());
    return obrazky;
}

QIcon IkonaAplikace() {
    return QIcon(QStringLiteral(":/images/vantrel.svg"));
}

} // namespace vantrel
