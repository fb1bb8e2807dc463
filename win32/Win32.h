#pragma once

// The message-box numbers of the rules are names of their own, which windows.h would turn into
// its macros if it came first.
#include "support/Hlaseni.h"

#include <string>
#include <windows.h>

// What every window of the shell shares: texts between the rules' UTF-16 and the system's wide
// characters, which are the same units.
namespace vantrel::okna {

inline std::wstring Siroky(const std::u16string& text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string Text16(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}
inline std::u16string Text16(const std::wstring& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// A window's text (a caption, a button's or label's text).
std::u16string TextOkna(HWND okno);
void NastavTextOkna(HWND okno, const std::u16string& text);

// The size of `text` drawn in `pismo`, in pixels; with "&" access keys taken as DrawText takes
// them when `predpona` is set.
SIZE VelikostTextu(HFONT pismo, const std::u16string& text, bool predpona = false);

// Sends WM_SETFONT to the window and all its children.
void NastavPismo(HWND okno, HFONT pismo);

} // namespace vantrel::okna
