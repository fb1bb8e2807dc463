#include "platforma/Prostredi.h"

#include "platforma/ProstrediSpolecne.h"

#include <QLocale>
#include <QString>
#include <cstdlib>

namespace vantrel::platforma {

namespace {

// The locale named for one category, read from the environment as the desktop's programs read
// it, with its conventions as the desktop's locale data gives them (also for a locale the C
// library does not have).
QLocale Locale(const char* kategorie) {
    for (const char* promenna : {"LC_ALL", kategorie, "LANG"}) {
        const char* hodnota = std::getenv(promenna);
        if (hodnota != nullptr && *hodnota != '\0')
            return QLocale(QString::fromLatin1(hodnota));
    }
    return QLocale::c();
}

} // namespace

std::u16string DesetinnyOddelovac() {
    const QString oddelovac = Locale("LC_NUMERIC").decimalPoint();
    return oddelovac.isEmpty() ? u"." : oddelovac.toStdU16String();
}

std::u16string OddelovacCasu() {
    const QString oddelovac = QString::fromStdU16String(
        MeziHodinamiAMinutami(Locale("LC_TIME").timeFormat(QLocale::ShortFormat).toStdU16String()));
    if (oddelovac.size() != 1 || oddelovac[0].isLetterOrNumber() || oddelovac[0].isSpace() ||
        oddelovac[0].isSurrogate())
        return u":";
    return oddelovac.toStdU16String();
}

} // namespace vantrel::platforma
