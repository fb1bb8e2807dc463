#pragma once

#include <cstdint>
#include <string>

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

// The flags a box of that kind is shown with: the kind's icon ORed into the caller's flags
// (thDotaz: the caller's flags, or MB_YESNO with the question icon for none); -1 for a kind
// that shows nothing. Flags of all bits also give -1: test the kind, not the result.
int PriznakyHlaseni(TTypHlaseni druh, int priznaky);

// Shows the program's own message boxes: one shared instance, whose shell draws the box.
class THlaseni {
public:
    virtual ~THlaseni() = default;

    // Shows a modal box with the flags of PriznakyHlaseni and returns the pressed button's
    // IDOK..IDNO; a kind above thDotaz shows nothing and returns 0. Text and caption are shown
    // as they are (a line break starts a new line; never markup).
    int Zobraz(TTypHlaseni druh, const std::u16string& text, const std::u16string& titulek,
               int priznaky) const;

protected:
    // The shell's box with exactly these flags, owned by the window it belongs to.
    virtual int Ukaz(const std::u16string& text, const std::u16string& titulek,
                     int priznaky) const = 0;
};

} // namespace vantrel
