#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace vantrel {

// Kind of a message box: the icon it adds. Any other 8-bit value shows nothing.
enum TTypHlaseni : std::uint8_t { thChyba, thVarovani, thInformace, thDotaz };

// The Win32 message-box flags and results; callers pass and test these numbers.
namespace win32 {
// Buttons, bits 0 to 3.
constexpr int MB_OK = 0x0;
constexpr int MB_OKCANCEL = 0x1;
constexpr int MB_ABORTRETRYIGNORE = 0x2;
constexpr int MB_YESNOCANCEL = 0x3;
constexpr int MB_YESNO = 0x4;
constexpr int MB_RETRYCANCEL = 0x5;
constexpr int MB_TYPEMASK = 0xF;
// Icon, bits 4 to 7.
constexpr int MB_ICONERROR = 0x10;
constexpr int MB_ICONHAND = MB_ICONERROR;
constexpr int MB_ICONSTOP = MB_ICONERROR;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONWARNING = 0x30;
constexpr int MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr int MB_ICONINFORMATION = 0x40;
constexpr int MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr int MB_ICONMASK = 0xF0;
// Default button, bits 8 to 11.
constexpr int MB_DEFBUTTON1 = 0x000;
constexpr int MB_DEFBUTTON2 = 0x100;
constexpr int MB_DEFBUTTON3 = 0x200;
constexpr int MB_DEFBUTTON4 = 0x300;
constexpr int MB_DEFMASK = 0xF00;
// Results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
} // namespace win32

// Shows the program's own message boxes. One shared instance.
class THlaseni {
public:
    // The window that owns a box while no dialog is open. Taken from the main window itself,
    // not from the active window, which is unknown for a moment after a dialog has closed.
    void NastavHlavniOkno(QWidget* okno) { hlavniOkno_ = okno; }

    // Shows a modal box, centred on the window it belongs to (the open dialog, else the main
    // window, else none while neither is shown), and returns the pressed button's IDOK..IDNO.
    // thChyba, thVarovani and thInformace OR their icon into the flags; thDotaz with flags 0 asks
    // Yes/No with the question icon. A kind above thDotaz shows nothing and returns 0.
    //
    // Buttons from bits 0 to 3 (6 to 15 give a lone OK); icon from bits 4 to 7, where a value
    // that is none of the four icons (an OR such as 0x50) shows no icon; MB_DEFBUTTON2/3/4 choose
    // the default button, the first one when the box has fewer. Esc and the close button give
    // IDOK on a lone OK box, IDCANCEL on a box with Cancel, and do nothing on Yes/No and
    // Abort/Retry/Ignore. Further bits are ignored. CR, LF and CR LF in the text start a new line;
    // the text is never read as markup.
    int Zobraz(TTypHlaseni druh, const QString& text, const QString& titulek, int priznaky) const;

private:
    QWidget* Vlastnik() const;

    QPointer<QWidget> hlavniOkno_;
};

} // namespace vantrel
