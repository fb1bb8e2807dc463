#include "win32/TextoveDialogy.h"

#include "win32/TextoveDialogyId.h"

// The common dialogs' headers need windows.h before them.
// clang-format off
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <stdexcept>

namespace vantrel {

namespace {

// Posted to the template's window to line its row up once the dialog has laid itself out.
constexpr UINT ZpravaZarovnej = WM_APP + 1;

std::u16string Text(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), std::wcslen(text));
}

// A window's rectangle in the client coordinates of `v`.
RECT Obdelnik(HWND okno, HWND v) {
    RECT r{};
    GetWindowRect(okno, &r);
    MapWindowPoints(HWND_DESKTOP, v, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The name as the folder's member: as it is when the dialog gave it whole.
std::u16string VeSlozce(const std::u16string& slozka, const std::u16string& jmeno) {
    const bool cela =
        jmeno.size() >= 2 && (jmeno[1] == u':' || (jmeno[0] == u'\\' && jmeno[1] == u'\\'));
    if (cela || slozka.empty())
        return jmeno;
    return slozka.back() == u'\\' || slozka.back() == u'/' ? slozka + jmeno
                                                           : slozka + u'\\' + jmeno;
}

// Room after the result's declared size: Wine's open dialog writes a multiple selection whole,
// whatever the size (its name field takes some 30000 characters), and reports success.
constexpr std::size_t Rezerva = 65536;

// Characters of the result, its terminating ones included: one path, or the folder and names
// with an empty name after them.
std::size_t DelkaVysledku(const std::vector<wchar_t>& buffer, WORD odsazeni) {
    std::size_t konec = std::wcslen(buffer.data()) + 1;
    if (odsazeni == 0 || odsazeni >= buffer.size() || buffer[odsazeni - 1] != L'\0')
        return konec;
    while (konec < buffer.size() && buffer[konec] != L'\0')
        konec += std::wcslen(buffer.data() + konec) + 1;
    return konec + 1;
}

// The dialog's result: one full path, or the folder and the chosen names after it.
std::vector<std::u16string> Vysledek(const std::vector<wchar_t>& buffer, WORD odsazeni) {
    const std::u16string prvni = Text(buffer.data());
    if (odsazeni == 0 || odsazeni >= buffer.size() || buffer[odsazeni - 1] != L'\0')
        return {prvni};
    std::vector<std::u16string> soubory;
    for (const wchar_t* jmeno = buffer.data() + odsazeni; *jmeno != L'\0';
         jmeno += std::wcslen(jmeno) + 1)
        soubory.push_back(VeSlozce(prvni, Text(jmeno)));
    return soubory;
}

} // namespace

// The hook of the template's window: fills the row, keeps it lined up with the file-type row,
// and stores the chosen entry when the dialog closes, confirmed or cancelled.
class THakTextovehoDialogu {
public:
    static UINT_PTR CALLBACK Hak(HWND okno, UINT zprava, WPARAM, LPARAM parametr) {
        switch (zprava) {
        case WM_INITDIALOG: {
            auto* dialog = reinterpret_cast<TTextFileDialog*>(
                reinterpret_cast<const OPENFILENAMEW*>(parametr)->lCustData);
            SetWindowLongPtrW(okno, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
            const HWND seznam = GetDlgItem(okno, TEXTFILEDLG_KODOVANI);
            for (const char16_t* polozka : TStavTextovehoDialogu::Encodings)
                SendMessageW(seznam, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(polozka));
            SendMessageW(seznam, CB_SETCURSEL, static_cast<WPARAM>(dialog->EncodingIndex()), 0);
            // The focus stays where the dialog puts it, in the name field.
            return FALSE;
        }
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(parametr)->code == CDN_INITDONE)
                Zarovnej(okno);
            return 0;
        case WM_SIZE:
            // The dialog may move its own rows after its template's window has been sized.
            Zarovnej(okno);
            PostMessageW(okno, ZpravaZarovnej, 0, 0);
            return 0;
        case ZpravaZarovnej:
            Zarovnej(okno);
            return 0;
        case WM_DESTROY:
            if (auto* dialog =
                    reinterpret_cast<TTextFileDialog*>(GetWindowLongPtrW(okno, DWLP_USER)))
                dialog->stav_.Zavreno(static_cast<int>(
                    SendDlgItemMessageW(okno, TEXTFILEDLG_KODOVANI, CB_GETCURSEL, 0, 0)));
            return 0;
        default:
            return 0;
        }
    }

private:
    // The label from the file-type label's left edge up to the list; the list over exactly the
    // file-type box's columns.
    static void Zarovnej(HWND okno) {
        const HWND dialog = GetParent(okno);
        const HWND popisTypu = GetDlgItem(dialog, stc2);
        const HWND typ = GetDlgItem(dialog, cmb1);
        const HWND popis = GetDlgItem(okno, TEXTFILEDLG_KODOVANI_POPIS);
        const HWND seznam = GetDlgItem(okno, TEXTFILEDLG_KODOVANI);
        if (popisTypu == nullptr || typ == nullptr || popis == nullptr || seznam == nullptr)
            return;
        const RECT rPopisTypu = Obdelnik(popisTypu, okno);
        const RECT rTyp = Obdelnik(typ, okno);
        const RECT rPopis = Obdelnik(popis, okno);
        RECT rSeznam{};
        // The list's window spans its drop-down part too, which its window rectangle omits.
        SendMessageW(seznam, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rSeznam));
        MapWindowPoints(HWND_DESKTOP, okno, reinterpret_cast<POINT*>(&rSeznam), 2);
        const RECT rZavreny = Obdelnik(seznam, okno);
        if (rTyp.right <= rTyp.left)
            return;
        SetWindowPos(popis, nullptr, rPopisTypu.left, rPopis.top,
                     std::max<LONG>(rTyp.left - rPopisTypu.left - 2, 1), rPopis.bottom - rPopis.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(seznam, nullptr, rTyp.left, rZavreny.top, rTyp.right - rTyp.left,
                     std::max(rSeznam.bottom - rSeznam.top, rZavreny.bottom - rZavreny.top),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

TTextFileDialog::TTextFileDialog(bool otevrit, unsigned long volby, std::size_t velikostVysledku)
    : otevrit_(otevrit), volby_(volby), velikostVysledku_(velikostVysledku) {}

bool TTextFileDialog::Execute(HWND vlastnik) {
    std::vector<wchar_t> buffer(velikostVysledku_ + Rezerva);
    bool navrh = !stav_.FileName().empty() && stav_.FileName().size() < velikostVysledku_;
    for (;;) {
        std::fill(buffer.begin(), buffer.end(), L'\0');
        if (navrh)
            std::copy(stav_.FileName().begin(), stav_.FileName().end(), buffer.begin());
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = vlastnik;
        ofn.hInstance = GetModuleHandleW(nullptr);
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = static_cast<DWORD>(velikostVysledku_);
        ofn.Flags = volby_ | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
        ofn.lCustData = reinterpret_cast<LPARAM>(this);
        ofn.lpfnHook = &THakTextovehoDialogu::Hak;
        ofn.lpTemplateName = L"TEXTFILEDLG";
        if (otevrit_ ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn)) {
            // A selection that does not fit counts as cancelled, also where the dialog wrote
            // it past the size it was given.
            buffer.back() = L'\0';
            if (DelkaVysledku(buffer, ofn.nFileOffset) > velikostVysledku_)
                return false;
            soubory_ = Vysledek(buffer, ofn.nFileOffset);
            stav_.Potvrzeno(soubory_);
            return true;
        }
        const DWORD chyba = CommDlgExtendedError();
        // Cancelled, or a selection too long for the buffer, which counts as cancelled.
        if (chyba == 0 || chyba == FNERR_BUFFERTOOSMALL)
            return false;
        // The proposed name is one the dialog cannot start with: it starts without one.
        if (chyba == FNERR_INVALIDFILENAME && navrh) {
            navrh = false;
            continue;
        }
        char kod[16];
        std::snprintf(kod, sizeof kod, "0x%04lX", static_cast<unsigned long>(chyba));
        throw std::runtime_error(std::string("The ") + (otevrit_ ? "open" : "save") +
                                 " dialog could not be shown (common dialog error " + kod + ").");
    }
}

TOpenTextFileDialog::TOpenTextFileDialog(std::size_t velikostVysledku)
    : TTextFileDialog(
          true, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING,
          velikostVysledku) {}

// The longest path the system takes: longer names work as far as the dialog allows them.
TSaveTextFileDialog::TSaveTextFileDialog()
    : TTextFileDialog(false,
                      OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING,
                      32768) {}

} // namespace vantrel
