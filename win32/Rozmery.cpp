#include "win32/Rozmery.h"

#include "support/Meritko.h"

#include <algorithm>
#include <commctrl.h>
#include <vector>

namespace vantrel::okna {

namespace {

TEXTMETRICW Metrika(HFONT pismo) {
    TEXTMETRICW metrika{};
    HDC dc = GetDC(nullptr);
    if (dc == nullptr)
        return metrika;
    const HGDIOBJ predchozi = SelectObject(dc, pismo);
    GetTextMetricsW(dc, &metrika);
    SelectObject(dc, predchozi);
    ReleaseDC(nullptr, dc);
    return metrika;
}

} // namespace

int SirkaTlacitka(HWND tlacitko, HFONT pismo, int navrzenaSirka) {
    return vantrel::SirkaTlacitka(
        navrzenaSirka, static_cast<int>(VelikostTextu(pismo, TextOkna(tlacitko), true).cx),
        static_cast<int>(Metrika(pismo).tmAveCharWidth));
}

int VyskaTlacitka(HFONT pismo) {
    return MulDiv(Metrika(pismo).tmHeight, 14, 8);
}

int SirkaTitulkuSloupce(HWND seznam, int sloupec, HFONT pismo) {
    std::vector<wchar_t> text(1024, L'\0');
    LVCOLUMNW popis{};
    popis.mask = LVCF_TEXT;
    popis.pszText = text.data();
    popis.cchTextMax = static_cast<int>(text.size());
    if (!SendMessageW(seznam, LVM_GETCOLUMNW, static_cast<WPARAM>(sloupec),
                      reinterpret_cast<LPARAM>(&popis)))
        return 0;
    return static_cast<int>(VelikostTextu(pismo, Text16(popis.pszText)).cx +
                            4 * Metrika(pismo).tmAveCharWidth);
}

} // namespace vantrel::okna
