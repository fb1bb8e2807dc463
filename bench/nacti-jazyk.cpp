// Parses language files as the program does at start-up and prints how long each took, so that
// the cost of a hostile file can be measured: bench-jazyk FILE...

#include "lang/ChybaJazyka.h"
#include "lang/XmlDokument.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    int navrat = 0;
    for (int i = 1; i < argc; ++i) {
        const QString cesta = QString::fromLocal8Bit(argv[i]);
        QElapsedTimer hodiny;
        hodiny.start();
        QString vysledek;
        try {
            const vantrel::TDokumentJazyka dokument = vantrel::NactiDokumentJazyka(cesta);
            vysledek =
                QStringLiteral("loaded, root <%1>").arg(QString::fromStdU16String(dokument.jmeno));
        } catch (const vantrel::EChybaJazyka& chyba) {
            vysledek = QStringLiteral("refused: ") + QString::fromUtf8(chyba.what());
            navrat = 1;
        }
        std::printf("%s: %.3f s: %s\n", argv[i], static_cast<double>(hodiny.nsecsElapsed()) / 1e9,
                    vysledek.left(300).toLocal8Bit().constData());
    }
    return navrat;
}
