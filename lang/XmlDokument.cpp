#include "lang/XmlDokument.h"

#include "lang/ChybaJazyka.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <optional>

namespace vantrel {

namespace {

QString ChybaNaMiste(const QString& nazev, qint64 radek, qint64 sloupec, const QString& text) {
    return QStringLiteral("%1: line %2, column %3: %4")
        .arg(nazev)
        .arg(radek)
        .arg(sloupec)
        .arg(text);
}

// The encoding named by the XML declaration at the start of an ASCII-compatible file.
std::optional<QByteArray> KodovaniZDeklarace(const QByteArray& data) {
    if (!data.startsWith("<?xml"))
        return std::nullopt;
    const qsizetype konec = data.indexOf("?>");
    if (konec < 0 || konec > 1024)
        return std::nullopt;
    static const QRegularExpression vzor(
        QStringLiteral("encoding\\s*=\\s*([\"'])([A-Za-z][A-Za-z0-9._-]*)\\1"));
    const QRegularExpressionMatch m = vzor.match(QString::fromLatin1(data.left(konec)));
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(2).toLatin1();
}

// Decoding ourselves, rather than leaving it to the parser, gives us the text as the parser
// sees it, so that entity references can be counted before anything is expanded.
QString Dekoduj(const QByteArray& data, const QString& nazev) {
    QStringDecoder dekoder;
    QString jmeno;
    if (const auto podleBom = QStringConverter::encodingForData(data, u'<')) {
        dekoder = QStringDecoder(*podleBom);
        jmeno = QString::fromLatin1(QStringConverter::nameForEncoding(*podleBom));
    } else if (const auto deklarovane = KodovaniZDeklarace(data)) {
        dekoder = QStringDecoder(deklarovane->constData());
        jmeno = QString::fromLatin1(*deklarovane);
        if (!dekoder.isValid())
            throw EChybaJazyka(QStringLiteral("%1: unsupported encoding '%2'").arg(nazev, jmeno));
    } else {
        dekoder = QStringDecoder(QStringConverter::Utf8);
        jmeno = QStringLiteral("UTF-8");
    }
    QString text = dekoder.decode(data);
    if (dekoder.hasError())
        throw EChybaJazyka(
            QStringLiteral("%1: the file holds bytes that are not valid %2").arg(nazev, jmeno));
    return text;
}

bool MaVnitrniEntity(const QXmlStreamReader& ctenar) {
    for (const QXmlStreamEntityDeclaration& e : ctenar.entityDeclarations()) {
        if (e.systemId().isEmpty() && e.publicId().isEmpty())
            return true;
    }
    return false;
}

// A first pass that builds nothing: it checks the nesting depth, the cost of entity expansion
// and the size of the expanded text, which the DOM builder does not bound on its own.
void Proveruj(const QString& text, const QString& nazev) {
    QXmlStreamReader ctenar(text);
    ctenar.setNamespaceProcessing(false);
    int hloubka = 0;
    qint64 znaku = 0;
    auto pocitej = [&](qint64 kolik) {
        znaku += kolik;
        if (znaku > MaxTextJazyka)
            throw EChybaJazyka(ChybaNaMiste(
                nazev, ctenar.lineNumber(), ctenar.columnNumber(),
                QStringLiteral("the text of the document, entities expanded, is longer than %1 "
                               "characters")
                    .arg(MaxTextJazyka)));
    };
    while (!ctenar.atEnd()) {
        switch (ctenar.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++hloubka > MaxHloubkaJazyka)
                throw EChybaJazyka(ChybaNaMiste(
                    nazev, ctenar.lineNumber(), ctenar.columnNumber(),
                    QStringLiteral("elements nested deeper than %1 levels").arg(MaxHloubkaJazyka)));
            for (const QXmlStreamAttribute& atribut : ctenar.attributes())
                pocitej(atribut.value().size());
            break;
        case QXmlStreamReader::Characters:
            pocitej(ctenar.text().size());
            break;
        case QXmlStreamReader::EndElement:
            --hloubka;
            break;
        case QXmlStreamReader::DTD:
            if (MaVnitrniEntity(ctenar)) {
                const qint64 odkazu = text.count(QLatin1Char('&'));
                if (odkazu * ctenar.entityExpansionLimit() > MaxRozvinutiEntit)
                    throw EChybaJazyka(ChybaNaMiste(
                        nazev, ctenar.lineNumber(), ctenar.columnNumber(),
                        QStringLiteral("too many entity references (%1) for the declared "
                                       "entities to be expanded safely")
                            .arg(odkazu)));
            }
            break;
        default:
            break;
        }
    }
    if (ctenar.hasError())
        throw EChybaJazyka(
            ChybaNaMiste(nazev, ctenar.lineNumber(), ctenar.columnNumber(), ctenar.errorString()));
}

} // namespace

QDomDocument ParsujDokumentJazyka(const QByteArray& data, const QString& nazev) {
    const QString text = Dekoduj(data, nazev);
    Proveruj(text, nazev);

    QXmlStreamReader ctenar(text);
    QDomDocument dokument;
    QString chyba;
    int radek = 0;
    int sloupec = 0;
    if (!dokument.setContent(&ctenar, false, &chyba, &radek, &sloupec))
        throw EChybaJazyka(ChybaNaMiste(nazev, radek, sloupec, chyba));
    return dokument;
}

QDomDocument NactiDokumentJazyka(const QString& cesta) {
    const QFileInfo info(cesta);
    if (!info.exists())
        throw EChybaJazyka(QStringLiteral("%1: the file does not exist").arg(cesta));
    // A FIFO or device would block or never end.
    if (!info.isFile())
        throw EChybaJazyka(QStringLiteral("%1: not a regular file").arg(cesta));
    if (info.size() > MaxVelikostJazyka)
        throw EChybaJazyka(QStringLiteral("%1: the language file is too large (%2 bytes, at "
                                          "most %3 allowed)")
                               .arg(cesta)
                               .arg(info.size())
                               .arg(MaxVelikostJazyka));
    QFile soubor(cesta);
    if (!soubor.open(QIODevice::ReadOnly))
        throw EChybaJazyka(QStringLiteral("%1: %2").arg(cesta, soubor.errorString()));
    // Read one byte past the limit, in case the file grew since it was measured.
    const QByteArray data = soubor.read(MaxVelikostJazyka + 1);
    if (soubor.error() != QFileDevice::NoError)
        throw EChybaJazyka(QStringLiteral("%1: %2").arg(cesta, soubor.errorString()));
    if (data.size() > MaxVelikostJazyka)
        throw EChybaJazyka(QStringLiteral("%1: the language file is too large (more than %2 "
                                          "bytes)")
                               .arg(cesta)
                               .arg(MaxVelikostJazyka));
    return ParsujDokumentJazyka(data, cesta);
}

void TXmlDokument::NastavSoubor(const QString& cesta) {
    if (cesta == soubor_)
        return;
    soubor_ = cesta;
    dokument_ = QDomDocument();
    otevreny_ = false;
}

void TXmlDokument::Otevri() {
    if (otevreny_)
        return;
    dokument_ = NactiDokumentJazyka(soubor_);
    otevreny_ = true;
}

} // namespace vantrel
