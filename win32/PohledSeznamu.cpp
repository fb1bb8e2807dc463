#include "win32/PohledSeznamu.h"

#include <commctrl.h>
#include <vector>

namespace vantrel::okna {

HWND VytvorPohledSeznamu(HWND rodic, DWORD styl) {
    // The image lists are the window's: the list only draws from them.
    const HWND seznam =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT |
                            LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS | styl,
                        0, 0, 0, 0, rodic, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(seznam, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    return seznam;
}

void VlozSloupec(HWND seznam, int sloupec, const std::u16string& titulek, int sirka, bool naStred) {
    std::wstring text = Siroky(titulek);
    LVCOLUMNW popis{};
    popis.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    popis.fmt = naStred ? LVCFMT_CENTER : LVCFMT_LEFT;
    popis.cx = sirka;
    popis.pszText = text.data();
    popis.iSubItem = sloupec;
    SendMessageW(seznam, LVM_INSERTCOLUMNW, static_cast<WPARAM>(sloupec),
                 reinterpret_cast<LPARAM>(&popis));
}

std::u16string TextSloupce(HWND seznam, int sloupec) {
    // A title longer than the buffer would come back cut: the buffer grows until it holds it.
    for (std::size_t delka = 256;; delka *= 4) {
        std::vector<wchar_t> text(delka, L'\0');
        LVCOLUMNW popis{};
        popis.mask = LVCF_TEXT;
        popis.pszText = text.data();
        popis.cchTextMax = static_cast<int>(delka);
        if (!SendMessageW(seznam, LVM_GETCOLUMNW, static_cast<WPARAM>(sloupec),
                          reinterpret_cast<LPARAM>(&popis)))
            return {};
        const std::u16string vysledek = Text16(popis.pszText);
        if (vysledek.size() + 1 < delka || delka > 1u << 20)
            return vysledek;
    }
}

void NastavTextSloupce(HWND seznam, int sloupec, const std::u16string& titulek) {
    std::wstring text = Siroky(titulek);
    LVCOLUMNW popis{};
    popis.mask = LVCF_TEXT;
    popis.pszText = text.data();
    SendMessageW(seznam, LVM_SETCOLUMNW, static_cast<WPARAM>(sloupec),
                 reinterpret_cast<LPARAM>(&popis));
}

int PocetSloupcu(HWND seznam) {
    const auto zahlavi = reinterpret_cast<HWND>(SendMessageW(seznam, LVM_GETHEADER, 0, 0));
    const LRESULT pocet = zahlavi != nullptr ? SendMessageW(zahlavi, HDM_GETITEMCOUNT, 0, 0) : 0;
    return pocet > 0 ? static_cast<int>(pocet) : 0;
}

int PridejRadek(HWND seznam, const std::u16string& titulek, int obrazek) {
    std::wstring text = Siroky(titulek);
    LVITEMW polozka{};
    polozka.mask = LVIF_TEXT | LVIF_IMAGE;
    polozka.iItem = static_cast<int>(SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0));
    polozka.pszText = text.data();
    polozka.iImage = obrazek;
    return static_cast<int>(
        SendMessageW(seznam, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&polozka)));
}

void NastavTextBunky(HWND seznam, int radek, int sloupec, const std::u16string& text) {
    std::wstring siroky = Siroky(text);
    LVITEMW polozka{};
    polozka.iSubItem = sloupec;
    polozka.pszText = siroky.data();
    SendMessageW(seznam, LVM_SETITEMTEXTW, static_cast<WPARAM>(radek),
                 reinterpret_cast<LPARAM>(&polozka));
}

int VybranyRadek(HWND seznam) {
    return static_cast<int>(
        SendMessageW(seznam, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

} // namespace vantrel::okna
