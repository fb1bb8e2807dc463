// The language file from untrusted bytes: parse it, look up texts and fill the language list.
// EChybaJazyka is the expected answer to a faulty file; anything else that escapes, a crash, a
// hang or a runaway allocation is a fault.

#include "lang/ChybaJazyka.h"
#include "lang/JazykyXML.h"
#include "lang/XmlDokument.h"

#include <QApplication>
#include <QDomDocument>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Keys the program looks up, and keys taken from the document itself.
void Vyhledej(const vantrel::TJazykXML& jazyk, const QDomDocument& dokument) {
    jazyk.Preklad(QStringLiteral("Obecne"), QStringLiteral("rsCHYBA"), QStringLiteral("x"));
    jazyk.Preklad(QStringLiteral("HlavniForm"), QStringLiteral("aSpojit"), QString());
    int sekci = 0;
    for (QDomElement sekce = dokument.documentElement().firstChildElement();
         !sekce.isNull() && sekci < 4; sekce = sekce.nextSiblingElement(), ++sekci) {
        int klicu = 0;
        for (QDomElement klic = sekce.firstChildElement(); !klic.isNull() && klicu < 4;
             klic = klic.nextSiblingElement(), ++klicu)
            jazyk.Preklad(sekce.tagName(), klic.tagName(), QStringLiteral("v"));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept for the whole run; destroying it during static clean-up is not supported.
    static QApplication* aplikace = new QApplication(*argc, *argv);
    (void)aplikace;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    // The file loader refuses anything larger before parsing.
    if (static_cast<qint64>(size) > MaxVelikostJazyka)
        return -1;
    QDomDocument dokument;
    try {
        dokument = ParsujDokumentJazyka(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
            QStringLiteral("fuzz.xml"));
    } catch (const EChybaJazyka&) {
        return 0;
    }

    static const QList<QIcon> vlajky{QIcon(QPixmap(4, 4)), QIcon(), QIcon(QPixmap(2, 2))};
    TJazykXML jazyk;
    jazyk.Dokument = &dokument;
    // The current language: the default, the first one the document lists, and none at all.
    QString prvni = dokument.documentElement()
                        .firstChildElement(QStringLiteral("JAZYKY"))
                        .firstChildElement()
                        .tagName();
    for (const QString& kod : {QStringLiteral("CZ"), prvni, QString()}) {
        jazyk.KodJazyka = kod;
        try {
            Vyhledej(jazyk, dokument);
        } catch (const EChybaJazyka&) {
            // an entry of the wrong shape
        }
        QTreeWidget seznam;
        seznam.setColumnCount(4);
        try {
            jazyk.NactiJazyky(seznam, vlajky);
        } catch (const EChybaJazyka&) {
            // a language description of the wrong shape
        }
        for (int i = 0; i < seznam.topLevelItemCount(); ++i)
            if (seznam.topLevelItem(i)->columnCount() != 4)
                std::abort();
    }
    return 0;
}
