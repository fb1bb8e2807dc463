#include "win32/Win32.h"

#include <vector>

namespace vantrel::okna {

std::u16string TextOkna(HWND okno) {
    const int delka = GetWindowTextLengthW(okno);
    if (delka <= 0)
        return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(delka) + 1);
    const int precteno = GetWindowTextW(okno, text.data(), delka + 1);
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()),
                          static_cast<std::size_t>(precteno > 0 ? precteno : 0));
}

void NastavTextOkna(HWND okno, const std::u16string& text) {
    SetWindowTextW(okno, Siroky(text).c_str());
}

SIZE VelikostTextu(HFONT pismo, const std::u16string& text, bool predpona) {
    SIZE velikost{0, 0};
    HDC dc = GetDC(nullptr);
    if (dc == nullptr)
        return velikost;
    const HGDIOBJ predchozi = SelectObject(dc, pismo);
    const std::wstring siroky = Siroky(text);
    RECT obdelnik{0, 0, 0, 0};
    DrawTextW(dc, siroky.c_str(), static_cast<int>(siroky.size()), &obdelnik,
              DT_CALCRECT | DT_SINGLELINE | (predpona ? 0u : DT_NOPREFIX));
    velikost = {obdelnik.right - obdelnik.left, obdelnik.bottom - obdelnik.top};
    SelectObject(dc, predchozi);
    ReleaseDC(nullptr, dc);
    return velikost;
}

namespace {

BOOL CALLBACK NastavPismoDitete(HWND dite, LPARAM pismo) {
    SendMessageW(dite, WM_SETFONT, static_cast<WPARAM>(pismo), TRUE);
    return TRUE;
}

} // namespace

void NastavPismo(HWND okno, HFONT pismo) {
    SendMessageW(okno, WM_SETFONT, reinterpret_cast<WPARAM>(pismo), TRUE);
    EnumChildWindows(okno, NastavPismoDitete, reinterpret_cast<LPARAM>(pismo));
}

} // namespace vantrel::okna
