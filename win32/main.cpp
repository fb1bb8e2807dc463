// Vantrel: joins text files into one.

#include "lang/JazykyXML.h"
#include "lang/SouborJazyka.h"
#include "platforma/KodovaStranka.h"
#include "support/SoubUtility.h"
#include "win32/HlaseniWin32.h"
#include "win32/Msxml.h"
#include "win32/fHlavni.h"
#include "win32/fJazyk.h"
#include "win32/fOAplikaci.h"

#include <commctrl.h>
#include <objbase.h>

namespace {

// The three process-wide services. Members are created in this order before any window and
// destroyed in the reverse order after the last one.
struct TSluzby {
    vantrel::TJazykXML Jazyk;
    vantrel::THlaseniWin32 Hlaseni;
    vantrel::TSouboroveInfo SouboroveInfo;
};

int Spust(int pokaz) {
    TSluzby sluzby;
    vantrel::TSouborJazyka souborJazyka(vantrel::NactiJazykMsxml);
    vantrel::okna::THlavniForm hlavniForm(sluzby.Jazyk, sluzby.Hlaseni, souborJazyka);
    sluzby.Hlaseni.NastavHlavniOkno(hlavniForm.Handle());
    vantrel::okna::TJazykForm jazykForm(sluzby.Hlaseni, hlavniForm.Handle());
    vantrel::okna::TOAplikaciForm oAplikaciForm(sluzby.Hlaseni, hlavniForm.Handle());
    hlavniForm.NastavOkna(&oAplikaciForm, &jazykForm);
    hlavniForm.Zobraz(pokaz);
    MSG zprava;
    while (GetMessageW(&zprava, nullptr, 0, 0) > 0) {
        if (!hlavniForm.PrelozKlavesu(zprava)) {
            TranslateMessage(&zprava);
            DispatchMessageW(&zprava);
        }
    }
    return static_cast<int>(zprava.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int pokaz) {
    // COM for the language file's parser and the shell's dialogs.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX ovladace{};
    ovladace.dwSize = sizeof(ovladace);
    ovladace.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS;
    InitCommonControlsEx(&ovladace);
    // The code page of every file the program reads and writes, fixed from here on.
    vantrel::ProcessCodePage();
    const int kod = Spust(pokaz);
    if (SUCCEEDED(com))
        CoUninitialize();
    return kod;
}
