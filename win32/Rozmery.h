#pragma once

#include "win32/Win32.h"

// What controls need of room for their texts in a font.
namespace vantrel::okna {

// A button's width for its caption in the font (vantrel::SirkaTlacitka).
int SirkaTlacitka(HWND tlacitko, HFONT pismo, int navrzenaSirka);
// A push button's height for the font, as the system's dialogs make it (14 dialog units).
int VyskaTlacitka(HFONT pismo);
// The width a list view column's title needs.
int SirkaTitulkuSloupce(HWND seznam, int sloupec, HFONT pismo);

} // namespace vantrel::okna
