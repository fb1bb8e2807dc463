#include "lang/XmlDokument.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <optional>

namespace vantrel {

namespace {

EChybaJazyka Chyba(const QString& zprava) {
    return EChybaJazyka(zprava.toStdString());
}

QString ChybaNaMiste(const QString& nazev, qint64 radek, qint64 sloupec, const QString& text) {
    return QStringLiteral("%1: line %2, column %3: %4")
        .arg(nazev)
        .arg(radek)
        .arg(sloupec)
        .arg(text);
}

// The same for position `i` of the decoded text; lines and columns count from 1.
EChybaJazyka ChybaNaPozici(const QString& nazev, QStringView text, qsizetype i,
                           const QString& zprava) {
    qint64 radek = 1;
    qsizetype zacatekRadku = 0;
    for (qsizetype k = 0; k < i; ++k) {
        if (text[k] == u'\n') {
            ++radek;
            zacatekRadku = k + 1;
        }
    }
    return Chyba(ChybaNaMiste(nazev, radek, i - zacatekRadku + 1, zprava));
}

// Bytes per code unit: a UTF-16 or UTF-32 file whose length is no multiple of it is cut short.
int DelkaJednotky(std::optional<QStringConverter::Encoding> kodovani) {
    switch (kodovani.value_or(QStringConverter::Utf8)) {
    case QStringConverter::Utf16:
    case QStringConverter::Utf16LE:
    case QStringConverter::Utf16BE:
        return 2;
    case QStringConverter::Utf32:
    case QStringConverter::Utf32LE:
    case QStringConverter::Utf32BE:
        return 4;
    default:
        return 1;
    }
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
// sees it, so that entity references can be counted before anything is expanded. Whatever does
// not decode to characters is refused here, where its place is known.
QString Dekoduj(const QByteArray& data, const QString& nazev) {
    constexpr auto priznaky = QStringConverter::Flag::ConvertInvalidToNull;
    QStringDecoder dekoder;
    QString jmeno;
    std::optional<QStringConverter::Encoding> kodovani;
    if (const auto podleBom = QStringConverter::encodingForData(data, u'<')) {
        kodovani = podleBom;
        dekoder = QStringDecoder(*podleBom, priznaky);
        jmeno = QString::fromLatin1(QStringConverter::nameForEncoding(*podleBom));
    } else if (const auto deklarovane = KodovaniZDeklarace(data)) {
        kodovani = QStringConverter::encodingForName(deklarovane->constData());
        dekoder = QStringDecoder(deklarovane->constData(), priznaky);
        jmeno = QString::fromLatin1(*deklarovane);
        if (!dekoder.isValid())
            throw Chyba(QStringLiteral("%1: unsupported encoding '%2'").arg(nazev, jmeno));
    } else {
        dekoder = QStringDecoder(QStringConverter::Utf8, priznaky);
        jmeno = QStringLiteral("UTF-8");
    }
    QString text = dekoder.decode(data);
    if (dekoder.hasError()) {
        const qsizetype misto = text.indexOf(QChar(0));
        const QString zprava =
            QStringLiteral("the file holds bytes that are not valid %1").arg(jmeno);
        if (misto < 0)
            throw Chyba(QStringLiteral("%1: %2").arg(nazev, zprava));
        throw ChybaNaPozici(nazev, text, misto, zprava);
    }
    if (data.size() % DelkaJednotky(kodovani) != 0)
        throw ChybaNaPozici(nazev, text, text.size(),
                            QStringLiteral("the file ends within a %1 character").arg(jmeno));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            throw ChybaNaPozici(nazev, text, i,
                                QStringLiteral("a lone surrogate (U+%1) is not a character")
                                    .arg(QString::number(text[i].unicode(), 16).toUpper()));
    }
    return text;
}

// A pass over the text that the parser has not seen yet, linear in its length: the tags whose
// attributes the parser would compare pairwise, and a document type declaration whose attribute
// declarations it would. Only markup is looked at; a text that is not well-formed is left to
// the parser to report.
void ProverujZnacky(const QString& text, const QString& nazev) {
    const QStringView t(text);
    const qsizetype n = t.size();
    // The position just after `konec`, searched from `od`, or the end of the text.
    auto za = [&](qsizetype od, QStringView konec) {
        const qsizetype k = t.indexOf(konec, od);
        return k < 0 ? n : k + konec.size();
    };
    // The position after a quoted literal that starts at `i`.
    auto zaLiteralem = [&](qsizetype i) {
        const qsizetype k = t.indexOf(t[i], i + 1);
        return k < 0 ? n : k + 1;
    };
    for (qsizetype i = t.indexOf(u'<'); i >= 0 && i < n; i = t.indexOf(u'<', i)) {
        const QStringView zbytek = t.mid(i);
        if (zbytek.startsWith(u"<!--")) {
            i = za(i + 4, u"-->");
        } else if (zbytek.startsWith(u"<![CDATA[")) {
            i = za(i + 9, u"]]>");
        } else if (zbytek.startsWith(u"<?") || zbytek.startsWith(u"</")) {
            i = za(i + 2, zbytek[1] == u'?' ? QStringView(u"?>") : QStringView(u">"));
        } else if (zbytek.startsWith(u"<!")) {
            // The document type, its internal subset included.
            qsizetype j = i + 2;
            int zavorky = 0;
            while (j < n) {
                const QChar c = t[j];
                if (c == u'"' || c == u'\'') {
                    j = zaLiteralem(j);
                } else if (t.mid(j).startsWith(u"<!--")) {
                    j = za(j + 4, u"-->");
                } else if (t.mid(j).startsWith(u"<?")) {
                    j = za(j + 2, u"?>");
                } else {
                    ++j;
                    if (c == u'[')
                        ++zavorky;
                    else if (c == u']')
                        --zavorky;
                    else if (c == u'>' && zavorky <= 0)
                        break;
                }
            }
            if (j - i > MaxDelkaDtd)
                throw ChybaNaPozici(
                    nazev, t, i,
                    QStringLiteral("the document type declaration is longer than %1 characters")
                        .arg(MaxDelkaDtd));
            i = j;
        } else {
            // A start tag: each attribute has one '=' outside the quoted values.
            qsizetype j = i + 1;
            int atributu = 0;
            while (j < n && t[j] != u'>' && t[j] != u'<') {
                if (t[j] == u'"' || t[j] == u'\'') {
                    j = zaLiteralem(j);
                    continue;
                }
                if (t[j] == u'=' && ++atributu > MaxAtributuPrvku)
                    throw ChybaNaPozici(nazev, t, i,
                                        QStringLiteral("an element with more than %1 attributes")
                                            .arg(MaxAtributuPrvku));
                ++j;
            }
            i = j;
        }
    }
}

bool MaVnitrniEntity(const QXmlStreamReader& ctenar) {
    for (const QXmlStreamEntityDeclaration& e : ctenar.entityDeclarations()) {
        if (e.systemId().isEmpty() && e.publicId().isEmpty())
            return true;
    }
    return false;
}

// A first pass that builds nothing: it checks the nesting depth, the cost of entity expansion,
// the size of the expanded text and what the document would build, which the DOM builder does
// not bound on its own. Tags that entities expand to are counted here too.
void Proveruj(const QString& text, const QString& nazev) {
    QXmlStreamReader ctenar(text);
    ctenar.setNamespaceProcessing(false);
    auto chyba = [&](const QString& zprava) {
        return Chyba(ChybaNaMiste(nazev, ctenar.lineNumber(), ctenar.columnNumber(), zprava));
    };
    int hloubka = 0;
    qint64 znaku = 0;
    qint64 uzlu = 0;
    qint64 atributu = 0;
    int deklaraci = 0;
    auto pocitej = [&](qint64 kolik) {
        znaku += kolik;
        if (znaku > MaxTextJazyka)
            throw chyba(QStringLiteral("the text of the document, entities expanded, is longer "
                                       "than %1 characters")
                            .arg(MaxTextJazyka));
    };
    auto uzel = [&] {
        if (++uzlu > MaxUzluJazyka)
            throw chyba(QStringLiteral("more than %1 elements, texts, comments and other nodes")
                            .arg(MaxUzluJazyka));
    };
    while (!ctenar.atEnd()) {
        switch (ctenar.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (++hloubka > MaxHloubkaJazyka)
                throw chyba(
                    QStringLiteral("elements nested deeper than %1 levels").arg(MaxHloubkaJazyka));
            uzel();
            const QXmlStreamAttributes atributy = ctenar.attributes();
            if (atributy.size() > MaxAtributuPrvku)
                throw chyba(QStringLiteral("an element with more than %1 attributes")
                                .arg(MaxAtributuPrvku));
            atributu += atributy.size();
            if (atributu > MaxAtributuJazyka)
                throw chyba(QStringLiteral("more than %1 attributes in the document")
                                .arg(MaxAtributuJazyka));
            for (const QXmlStreamAttribute& atribut : atributy) {
                pocitej(atribut.value().size());
                const QStringView jmeno = atribut.qualifiedName();
                if ((jmeno == u"xmlns" || jmeno.startsWith(u"xmlns:")) &&
                    ++deklaraci > MaxDeklaraciNamespace)
                    throw chyba(QStringLiteral("more than %1 namespace declarations")
                                    .arg(MaxDeklaraciNamespace));
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (!ctenar.isWhitespace())
                uzel();
            pocitej(ctenar.text().size());
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference:
            uzel();
            break;
        case QXmlStreamReader::EndElement:
            --hloubka;
            break;
        case QXmlStreamReader::DTD:
            if (MaVnitrniEntity(ctenar)) {
                const qint64 odkazu = text.count(QLatin1Char('&'));
                if (odkazu * ctenar.entityExpansionLimit() > MaxRozvinutiEntit)
                    throw chyba(QStringLiteral("too many entity references (%1) for the declared "
                                               "entities to be expanded safely")
                                    .arg(odkazu));
            }
            break;
        default:
            break;
        }
    }
    if (ctenar.hasError())
        throw Chyba(
            ChybaNaMiste(nazev, ctenar.lineNumber(), ctenar.columnNumber(), ctenar.errorString()));
}

// The DOM's tree as the language engine reads it. Its depth is bounded by the pass above.
TUzelJazyka Uzel(const QDomNode& n) {
    TUzelJazyka uzel;
    if (n.isElement()) {
        uzel.druh = TUzelJazyka::TDruh::Prvek;
        uzel.jmeno = n.nodeName().toStdU16String();
        const QDomNamedNodeMap atributy = n.attributes();
        uzel.atributy.reserve(static_cast<std::size_t>(atributy.size()));
        for (int i = 0; i < atributy.size(); ++i) {
            const QDomNode a = atributy.item(i);
            uzel.atributy.emplace_back(a.nodeName().toStdU16String(),
                                       a.nodeValue().toStdU16String());
        }
        for (QDomNode d = n.firstChild(); !d.isNull(); d = d.nextSibling())
            uzel.deti.push_back(Uzel(d));
    } else {
        // isText() holds for CDATA sections as well; a comment's or processing instruction's
        // value is its text.
        uzel.druh = n.isText() ? TUzelJazyka::TDruh::Text : TUzelJazyka::TDruh::Jiny;
        uzel.text = n.nodeValue().toStdU16String();
    }
    return uzel;
}

} // namespace

TDokumentJazyka ParsujDokumentJazyka(const QByteArray& data, const QString& nazev) {
    const QString text = Dekoduj(data, nazev);
    ProverujZnacky(text, nazev);
    Proveruj(text, nazev);

    QXmlStreamReader ctenar(text);
    QDomDocument dokument;
    QString chyba;
    int radek = 0;
    int sloupec = 0;
    if (!dokument.setContent(&ctenar, false, &chyba, &radek, &sloupec))
        throw Chyba(ChybaNaMiste(nazev, radek, sloupec, chyba));
    return Uzel(dokument.documentElement());
}

TDokumentJazyka NactiDokumentJazyka(const QString& cesta) {
    const QFileInfo info(cesta);
    if (!info.exists())
        throw Chyba(QStringLiteral("%1: the file does not exist").arg(cesta));
    // A FIFO or device would block or never end.
    if (!info.isFile())
        throw Chyba(QStringLiteral("%1: not a regular file").arg(cesta));
    if (info.size() > MaxVelikostJazyka)
        throw Chyba(QStringLiteral("%1: the language file is too large (%2 bytes, at "
                                   "most %3 allowed)")
                        .arg(cesta)
                        .arg(info.size())
                        .arg(MaxVelikostJazyka));
    QFile soubor(cesta);
    if (!soubor.open(QIODevice::ReadOnly))
        throw Chyba(QStringLiteral("%1: %2").arg(cesta, soubor.errorString()));
    // Read one byte past the limit, in case the file grew since it was measured.
    const QByteArray data = soubor.read(MaxVelikostJazyka + 1);
    if (soubor.error() != QFileDevice::NoError)
        throw Chyba(QStringLiteral("%1: %2").arg(cesta, soubor.errorString()));
    if (data.size() > MaxVelikostJazyka)
        throw Chyba(QStringLiteral("%1: the language file is too large (more than %2 "
                                   "bytes)")
                        .arg(cesta)
                        .arg(MaxVelikostJazyka));
    return ParsujDokumentJazyka(data, cesta);
}

TSouborJazyka::TParser ParserJazyka() {
    return [](const std::u16string& cesta) {
        return NactiDokumentJazyka(QString::fromStdU16String(cesta));
    };
}

} // namespace vantrel
