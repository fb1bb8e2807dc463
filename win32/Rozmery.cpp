#include "win32/Rozmery.h"

#include "support/Meritko.h"
#include "win32/PohledSeznamu.h"

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
    return static_cast<int>(VelikostTextu(pismo, TextSloupce(seznam, sloupec)).cx +
                            4 * Metrika(pismo).tmAveCharWidth);
}

} // namespace vantrel::okna
