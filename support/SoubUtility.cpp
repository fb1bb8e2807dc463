#include "support/SoubUtility.h"

#include "platforma/FaktaSouboru.h"

#include <QDate>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

constexpr qint64 kMsZaDen = 86400000;
// 31 Dec 0099 and 1 Jan 10000 as date-time values, just outside the years "yyyy" can show.
constexpr double kPredNejmensimDatem = -657435.0;
constexpr double kZaNejvetsimDatem = 2958466.0;
constexpr int kDelkaTypu = 80;

// A NUL inside a path would silently cut it short on its way to the system.
bool JeCestaPouzitelna(const QString& cesta) {
    return !cesta.isEmpty() && !cesta.contains(QChar(u'\0'));
}

// The locale's separator between hours and minutes, taken from its short time format; a colon
// when the format has no single separating sign.
QString OddelovacCasu() {
    const QString format = QLocale().timeFormat(QLocale::ShortFormat);
    qsizetype i = 0;
    while (i < format.size() && format[i] != u'h' && format[i] != u'H')
        ++i;
    while (i < format.size() && (format[i] == u'h' || format[i] == u'H'))
        ++i;
    QString oddelovac;
    for (; i < format.size() && format[i] != u'm'; ++i) {
        if (format[i] != u'\'')
            oddelovac += format[i];
    }
    if (oddelovac.size() != 1 || oddelovac[0].isLetterOrNumber() || oddelovac[0].isSpace())
        return QStringLiteral(":");
    return oddelovac;
}

} // namespace

QString TSouboroveInfo::VerzeSouboru(const QString& cesta, std::uint8_t forma) const {
    platforma::TCislaVerze cisla{};
    if (forma > 3 || !JeCestaPouzitelna(cesta) ||
        !platforma::VerzeSouboru(cesta.toStdU16String(), cisla))
        return {};
    const int pocet = forma == 0 ? 4 : forma;
    QString text;
    for (int i = 0; i < pocet; ++i) {
        if (i > 0)
            text += u'.';
        text += QString::number(cisla[static_cast<std::size_t>(i)]);
    }
    return text;
}

double TSouboroveInfo::DatumSouboru(const QString& cesta, std::uint8_t druh) const {
    platforma::TFaktaSouboru fakta;
    if (!JeCestaPouzitelna(cesta) || druh > 2 ||
        !platforma::FaktaSouboru(cesta.toStdU16String(), fakta) || fakta.slozka)
        return ChybejiciCasovaZnacka;
    const platforma::TCas cas = druh == 0   ? fakta.vytvoreni
                                : druh == 1 ? fakta.zmena
                                            : fakta.pristup;
    platforma::TKalendar k;
    if (!platforma::MistniCas(cas, k) || k.rok < 100 || k.rok > 9999)
        return ChybejiciCasovaZnacka;
    return HodnotaDatumu(k.rok, k.mesic, k.den, k.hodina, k.minuta, k.sekunda, k.milisekunda);
}

qint64 TSouboroveInfo::VelikostSouboru(const QString& cesta) const {
    platforma::TFaktaSouboru fakta;
    if (!JeCestaPouzitelna(cesta) || !platforma::FaktaSouboru(cesta.toStdU16String(), fakta))
        return -1;
    return fakta.velikost;
}

QString TSouboroveInfo::TypSouboru(const QString& cesta) const {
    const QString nezname = QStringLiteral("?");
    if (!JeCestaPouzitelna(cesta))
        return nezname;
    QString nazev = QString::fromStdU16String(platforma::TypSouboru(cesta.toStdU16String()));
    if (nazev.size() > kDelkaTypu) {
        // Never leave half of a surrogate pair at the end.
        const bool pulZnaku = nazev[kDelkaTypu - 1].isHighSurrogate();
        nazev.truncate(pulZnaku ? kDelkaTypu - 1 : kDelkaTypu);
    }
    return nazev.isEmpty() ? nezname : nazev;
}

double HodnotaDatumu(int rok, int mesic, int den, int hodina, int minuta, int sekunda,
                     int milisekunda) {
    const QDate datum(rok, mesic, den);
    if (!datum.isValid())
        return ChybejiciCasovaZnacka;
    const qint64 dny = QDate(1899, 12, 30).daysTo(datum);
    const double zlomek =
        static_cast<double>(((hodina * 60 + minuta) * 60 + sekunda) * qint64{1000} + milisekunda) /
        static_cast<double>(kMsZaDen);
    return dny >= 0 ? static_cast<double>(dny) + zlomek : static_cast<double>(dny) - zlomek;
}

QString TextCasoveZnacky(double datum) {
    if (!std::isfinite(datum) || datum <= kPredNejmensimDatem || datum >= kZaNejvetsimDatem)
        return {};
    const double dny = std::trunc(datum);
    qint64 ms = std::llround(std::fabs(datum - dny) * static_cast<double>(kMsZaDen));
    ms = std::min(ms, kMsZaDen - 1);
    const QDate den = QDate(1899, 12, 30).addDays(static_cast<qint64>(dny));
    QString text = QString::asprintf("%02d.%02d.%04d", den.day(), den.month(), den.year());
    const qint64 sekundy = ms / 1000;
    if (sekundy != 0) {
        const QString o = OddelovacCasu();
        text += u' ' + QString::asprintf("%02d", static_cast<int>(sekundy / 3600)) + o +
                QString::asprintf("%02d", static_cast<int>(sekundy / 60 % 60)) + o +
                QString::asprintf("%02d", static_cast<int>(sekundy % 60));
    }
    return text;
}

QString TextVelikosti(qint64 velikost, bool vZavorkach) {
    QString text;
    if (velikost > 10240) {
        const bool mega = velikost > 1048576;
        text =
            QString::asprintf("%1.3f", static_cast<double>(velikost) / (mega ? 1048576.0 : 1024.0));
        text.replace(u'.', QLocale().decimalPoint());
        text += mega ? QStringLiteral(" MB") : QStringLiteral(" kB");
    } else {
        text = QString::asprintf("%lld B", static_cast<long long>(velikost));
    }
    return vZavorkach ? u'(' + text + u')' : text;
}

} // namespace vantrel
