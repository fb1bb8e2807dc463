#pragma once

#include "support/Meritko.h"
#include "win32/Win32.h"

// Each window is drawn for the DPI of its monitor (per-monitor awareness, manifest). The calls
// that tell a window's DPI came with Windows 10; before them every window has the system's.
namespace vantrel::okna {

inline constexpr UINT DpiNavrhu = 96; // the DPI the windows are designed at

UINT DpiOkna(HWND okno);
UINT DpiSystemu();

// The desktop's message font (the ordinary text of windows and dialogs) at `dpi`.
LOGFONTW PismoZprav(UINT dpi);
// The em of a font in pixels.
int EmPisma(const LOGFONTW& pismo);
int MetrikaSystemu(int index, UINT dpi);
// The outer rectangle of a window whose client area has `klient`'s size, at `dpi`.
RECT ObrysOkna(SIZE klient, DWORD styl, DWORD exStyl, UINT dpi);

// How many times larger than designed a window is drawn at `dpi` with `pismo`: the DPI's own
// scale, and more where the desktop's text is larger than the design's (MeritkoNavrhu). Its
// designed lengths are Navrh(delka, meritko).
double MeritkoOkna(UINT dpi, const LOGFONTW& pismo);

// The side of the images drawn for `dpi`: 16, 24 or 32 pixels.
int VelikostObrazku(UINT dpi);

} // namespace vantrel::okna
