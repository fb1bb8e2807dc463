// The language file from untrusted bytes: parse it, look up texts and fill the language list.
// EChybaJazyka is the expected answer to a faulty file; anything else that escapes, a crash, a
// hang or a runaway allocation is a fault.

#include "lang/ChybaJazyka.h"
#include "lang/JazykyXML.h"
#include "lang/SeznamJazykuQt.h"
#include "lang/XmlDokument.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using vantrel::TUzelJazyka;

// The first few child elements of a node.
std::vector<const TUzelJazyka*> Prvky(const TUzelJazyka& rodic, std::size_t kolik) {
    std::vector<const TUzelJazyka*> prvky;
    for (const TUzelJazyka& dite : rodic.deti) {
        if (prvky.size() < kolik && dite.druh == TUzelJazyka::TDruh::Prvek)
            prvky.push_back(&dite);
    }
    return prvky;
}

// Keys the program looks up, and keys taken from the document itself.
void Vyhledej(const vantrel::TJazykXML& jazyk, const vantrel::TDokumentJazyka& dokument) {
    jazyk.Preklad(u"Obecne", u"rsCHYBA", u"x");
    jazyk.Preklad(u"HlavniForm", u"aSpojit", {});
    for (const TUzelJazyka* sekce : Prvky(dokument, 4)) {
        for (const TUzelJazyka* klic : Prvky(*sekce, 4))
            jazyk.Preklad(sekce->jmeno, klic->jmeno, u"v");
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
    TDokumentJazyka dokument;
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
    std::u16string prvni;
    for (const TUzelJazyka* jazyky : Prvky(dokument, dokument.deti.size())) {
        if (jazyky->jmeno == u"JAZYKY") {
            if (const auto popisy = Prvky(*jazyky, 1); !popisy.empty())
                prvni = popisy.front()->jmeno;
            break;
        }
    }
    for (const std::u16string& kod : {std::u16string(u"CZ"), prvni, std::u16string()}) {
        jazyk.KodJazyka = kod;
        try {
            Vyhledej(jazyk, dokument);
        } catch (const EChybaJazyka&) {
            // an entry of the wrong shape
        }
        QTreeWidget seznam;
        seznam.setColumnCount(4);
        try {
            NactiJazyky(jazyk, seznam, vlajky);
        } catch (const EChybaJazyka&) {
            // a language description of the wrong shape
        }
        for (int i = 0; i < seznam.topLevelItemCount(); ++i)
            if (seznam.topLevelItem(i)->columnCount() != 4)
                std::abort();
    }
    return 0;
}
