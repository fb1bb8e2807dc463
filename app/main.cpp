// Vantrel: joins text files into one.

#include "app/ChybaAplikace.h"
#include "app/PrikazovaRadka.h"
#include "app/Sluzby.h"
#include "app/fHlavni.h"
#include "lang/fJazyk.h"
#include "platforma/KodovaStranka.h"
#include "support/Obrazky.h"
#include "support/fOAplikaci.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// Qt's messages while it opens the display, held back: a display that cannot be opened ends in
// Qt's fatal error, which one line replaces that says what to do.
struct TZprava {
    QtMsgType druh;
    const char *soubor, *funkce, *kategorie;
    int radek;
    QString text;
};
QtMessageHandler g_predchozi = nullptr;
QList<TZprava> g_odlozene;

void PriOtevirani(QtMsgType druh, const QMessageLogContext& kontext, const QString& zprava) {
    if (druh == QtFatalMsg) {
        std::fputs(vantrel::TextBezDispleje().c_str(), stderr);
        std::_Exit(1);
    }
    g_odlozene.append(
        {druh, kontext.file, kontext.function, kontext.category, kontext.line, zprava});
}

void VydejOdlozene() {
    qInstallMessageHandler(g_predchozi);
    for (const TZprava& z : std::as_const(g_odlozene))
        g_predchozi(z.druh, QMessageLogContext(z.soubor, z.radek, z.funkce, z.kategorie), z.text);
    g_odlozene.clear();
}

} // namespace

int main(int argc, char** argv) {
    const vantrel::TSpusteni spusteni = vantrel::RozhodniSpusteni(
        std::vector<std::string>(argv + 1, argv + argc), vantrel::MaDisplej(), VANTREL_VERZE);
    if (spusteni.Co != vantrel::TSpusteni::Okno) {
        const bool chyba = spusteni.Kod != 0;
        std::fputs(spusteni.Text.c_str(), chyba ? stderr : stdout);
        return std::fflush(stdout) == 0 || chyba ? spusteni.Kod : 1;
    }

    vantrel::TSluzby sluzby{};
    g_predchozi = qInstallMessageHandler(PriOtevirani);
    vantrel::TAplikace aplikace(argc, argv, sluzby.Hlaseni);
    VydejOdlozene();
    // The code page of every file the program reads and writes, fixed from here on.
    std::setlocale(LC_ALL, "");
    vantrel::ProcessCodePage();
    // Also the caption of the general error report. No display name: Qt would append it to
    // every window's title.
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setWindowIcon(vantrel::IkonaAplikace());

    vantrel::THlavniForm hlavniForm(sluzby);
    vantrel::TJazykForm jazykForm(&hlavniForm);
    vantrel::TOAplikaciForm oAplikaciForm(&hlavniForm);
    hlavniForm.NastavOkna(&oAplikaciForm, &jazykForm);
    hlavniForm.show();
    return aplikace.exec();
}
