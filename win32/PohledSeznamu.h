#pragma once

#include "win32/Win32.h"

#include <string>

// What the shell asks of a list view in report mode, by its messages.
namespace vantrel::okna {

// A report-mode list view of the shell: whole rows selected, never sorted by its header.
// `styl` adds LVS_SINGLESEL or the like.
HWND VytvorPohledSeznamu(HWND rodic, DWORD styl);

void VlozSloupec(HWND seznam, int sloupec, const std::u16string& titulek, int sirka,
                 bool naStred = false);
// The column's title, however long.
std::u16string TextSloupce(HWND seznam, int sloupec);
void NastavTextSloupce(HWND seznam, int sloupec, const std::u16string& titulek);
int PocetSloupcu(HWND seznam);

// Appends a row with its caption and image; its position, or -1.
int PridejRadek(HWND seznam, const std::u16string& titulek, int obrazek);
void NastavTextBunky(HWND seznam, int radek, int sloupec, const std::u16string& text);
// The first selected row, or -1.
int VybranyRadek(HWND seznam);

} // namespace vantrel::okna
