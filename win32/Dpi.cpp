#include "win32/Dpi.h"

#include "win32/Pismo.h"

#include <algorithm>
#include <cmath>

namespace vantrel::okna {

namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TGetDpiForSystem = UINT(WINAPI*)();
using TSystemParametersInfoForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
using TAdjustWindowRectExForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// The calls of Windows 10 1607, where the system has them.
struct TVolaniDpi {
    TGetDpiForWindow GetDpiForWindow = nullptr;
    TGetDpiForSystem GetDpiForSystem = nullptr;
    TSystemParametersInfoForDpi SystemParametersInfoForDpi = nullptr;
    TGetSystemMetricsForDpi GetSystemMetricsForDpi = nullptr;
    TAdjustWindowRectExForDpi AdjustWindowRectExForDpi = nullptr;

    TVolaniDpi() {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        if (user32 == nullptr)
            return;
        Najdi(user32, "GetDpiForWindow", GetDpiForWindow);
        Najdi(user32, "GetDpiForSystem", GetDpiForSystem);
        Najdi(user32, "SystemParametersInfoForDpi", SystemParametersInfoForDpi);
        Najdi(user32, "GetSystemMetricsForDpi", GetSystemMetricsForDpi);
        Najdi(user32, "AdjustWindowRectExForDpi", AdjustWindowRectExForDpi);
    }

    template <typename F> static void Najdi(HMODULE modul, const char* jmeno, F& funkce) {
        funkce = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(modul, jmeno)));
    }
};

const TVolaniDpi& Volani() {
    static const TVolaniDpi volani;
    return volani;
}

} // namespace

UINT DpiSystemu() {
    if (Volani().GetDpiForSystem != nullptr)
        return Volani().GetDpiForSystem();
    HDC dc = GetDC(nullptr);
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc != nullptr)
        ReleaseDC(nullptr, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : DpiNavrhu;
}

UINT DpiOkna(HWND okno) {
    if (okno != nullptr && Volani().GetDpiForWindow != nullptr) {
        const UINT dpi = Volani().GetDpiForWindow(okno);
        if (dpi > 0)
            return dpi;
    }
    return DpiSystemu();
}

LOGFONTW PismoZprav(UINT dpi) {
    NONCLIENTMETRICSW metriky{};
    metriky.cbSize = sizeof(metriky);
    if (Volani().SystemParametersInfoForDpi != nullptr &&
        Volani().SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metriky), &metriky, 0,
                                            dpi))
        return metriky.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metriky), &metriky, 0)) {
        // The system's font, at the system's DPI.
        metriky.lfMessageFont.lfHeight = MulDiv(
            metriky.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(DpiSystemu()));
        return metriky.lfMessageFont;
    }
    LOGFONTW pismo{};
    pismo.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    pismo.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(pismo.lfFaceName, L"Segoe UI", LF_FACESIZE);
    return pismo;
}

int EmPisma(const LOGFONTW& pismo) {
    if (pismo.lfHeight < 0)
        return -pismo.lfHeight;
    const TPismo font(pismo);
    HDC dc = GetDC(nullptr);
    if (dc == nullptr)
        return pismo.lfHeight;
    const HGDIOBJ predchozi = SelectObject(dc, font.Handle());
    TEXTMETRICW metrika{};
    GetTextMetricsW(dc, &metrika);
    SelectObject(dc, predchozi);
    ReleaseDC(nullptr, dc);
    return metrika.tmHeight - metrika.tmInternalLeading;
}

int MetrikaSystemu(int index, UINT dpi) {
    if (Volani().GetSystemMetricsForDpi != nullptr)
        return Volani().GetSystemMetricsForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(DpiSystemu()));
}

RECT ObrysOkna(SIZE klient, DWORD styl, DWORD exStyl, UINT dpi) {
    RECT obrys{0, 0, klient.cx, klient.cy};
    if (Volani().AdjustWindowRectExForDpi == nullptr ||
        !Volani().AdjustWindowRectExForDpi(&obrys, styl, FALSE, exStyl, dpi))
        AdjustWindowRectEx(&obrys, styl, FALSE, exStyl);
    return obrys;
}

double MeritkoOkna(UINT dpi, const LOGFONTW& pismo) {
    const double dpiMeritko = static_cast<double>(dpi) / DpiNavrhu;
    // The text's em as it would be at 96 DPI: the rule reads the text's size apart from the DPI.
    const auto em = static_cast<int>(std::lround(EmPisma(pismo) / dpiMeritko));
    return dpiMeritko * MeritkoNavrhu(em);
}

int VelikostObrazku(UINT dpi) {
    const UINT strana = 16 * dpi / DpiNavrhu;
    if (strana >= 32)
        return 32;
    return strana >= 24 ? 24 : 16;
}

} // namespace vantrel::okna
