// Vantrel: joins text files into one.

#include "app/ChybaAplikace.h"
#include "app/Sluzby.h"
#include "app/fHlavni.h"
#include "lang/fJazyk.h"
#include "platforma/KodovaStranka.h"
#include "support/Obrazky.h"
#include "support/fOAplikaci.h"

#include <clocale>

int main(int argc, char** argv) {
    vantrel::TSluzby sluzby{};
    vantrel::TAplikace aplikace(argc, argv, sluzby.Hlaseni);
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
