#include "win32/TextoveDialogy.h"

#include "../textfile/Pomocne.h"
#include "Scenar.h"
#include "platforma/Utf8.h"
#include "win32/TextoveDialogyId.h"

#include <commdlg.h>
#include <dlgs.h>

using namespace vantrel;
using vantrel::test::Potomek;
using vantrel::test::Stiskni;
using vantrel::test::TDocasnaSlozka;
using vantrel::test::TextOkna;
using vantrel::test::TScenar;

namespace {

std::wstring W(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

// A path of the temporary folder as the dialogs give it, with backslashes.
std::wstring Windows(const std::string& utf8) {
    std::wstring cesta = W(DekodujUtf8(utf8));
    for (wchar_t& c : cesta) {
        if (c == L'/')
            c = L'\\';
    }
    return cesta;
}

HWND Kodovani(HWND dialog) {
    return Potomek(dialog, TEXTFILEDLG_KODOVANI);
}

std::wstring Dotaz(HWND dialog, UINT zprava) {
    wchar_t text[MAX_PATH * 2] = L"";
    SendMessageW(dialog, zprava, MAX_PATH * 2, reinterpret_cast<LPARAM>(text));
    return text;
}

// The steps of a user. Each waits for its window: a file dialog is the one with the encoding
// row, a question is one without.
TScenar::Krok NapisAPotvrd(const std::wstring& jmeno) {
    return [jmeno](HWND okno) {
        if (Kodovani(okno) == nullptr)
            return false;
        SendMessageW(okno, CDM_SETCONTROLTEXT, GetDlgItem(okno, edt1) ? edt1 : cmb13,
                     reinterpret_cast<LPARAM>(jmeno.c_str()));
        Stiskni(okno, IDOK);
        return true;
    };
}

TScenar::Krok Odpovez(int tlacitko) {
    return [tlacitko](HWND okno) {
        if (Kodovani(okno) != nullptr || GetDlgItem(okno, tlacitko) == nullptr)
            return false;
        Stiskni(okno, tlacitko);
        return true;
    };
}

TScenar::Krok Zkontroluj(std::function<void(HWND)> kontrola, bool zrusit = true) {
    return [kontrola, zrusit](HWND okno) {
        if (Kodovani(okno) == nullptr)
            return false;
        kontrola(okno);
        if (zrusit)
            Stiskni(okno, IDCANCEL);
        return true;
    };
}

TScenar::Krok Zvol(int index) {
    return Zkontroluj([index](HWND okno) { SendMessageW(Kodovani(okno), CB_SETCURSEL, index, 0); });
}

TScenar::Krok Ukazuje(int index) {
    return Zkontroluj(
        [index](HWND okno) { EXPECT_EQ(SendMessageW(Kodovani(okno), CB_GETCURSEL, 0, 0), index); });
}

RECT Obdelnik(HWND okno) {
    RECT r{};
    GetWindowRect(okno, &r);
    return r;
}

// The row under the file-type row: the label at its label, the list over its box's columns.
void ZkontrolujRadek(HWND dialog) {
    const HWND popis = Potomek(dialog, TEXTFILEDLG_KODOVANI_POPIS);
    const HWND seznam = Kodovani(dialog);
    const HWND popisTypu = GetDlgItem(dialog, stc2);
    const HWND typ = GetDlgItem(dialog, cmb1);
    ASSERT_TRUE(popis && seznam && popisTypu && typ);
    EXPECT_EQ(TextOkna(popis), L"Encoding:");
    EXPECT_EQ(GetWindowLongW(seznam, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    std::vector<std::wstring> polozky;
    for (LRESULT i = 0; i < SendMessageW(seznam, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[64] = L"";
        SendMessageW(seznam, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        polozky.push_back(text);
    }
    EXPECT_EQ(polozky, (std::vector<std::wstring>{L"ANSI", L"ASCII", L"Unicode",
                                                  L"Big Endian Unicode", L"UTF-8", L"UTF-7"}));
    EXPECT_TRUE(IsWindowVisible(seznam));
    EXPECT_EQ(Obdelnik(popis).left, Obdelnik(popisTypu).left);
    EXPECT_EQ(Obdelnik(seznam).left, Obdelnik(typ).left);
    EXPECT_EQ(Obdelnik(seznam).right, Obdelnik(typ).right);
    EXPECT_GT(Obdelnik(seznam).top, Obdelnik(typ).bottom - 2);
    EXPECT_LT(Obdelnik(seznam).bottom, Obdelnik(dialog).bottom);
}

} // namespace

TEST(TextoveDialogy, TheEncodingRowLinesUpWithTheFileTypeRow) {
    TOpenTextFileDialog otevrit;
    TSaveTextFileDialog ulozit;
    for (TTextFileDialog* dialog :
         {static_cast<TTextFileDialog*>(&otevrit), static_cast<TTextFileDialog*>(&ulozit)}) {
        SCOPED_TRACE(dialog == &otevrit ? "open" : "save");
        int sirka = 0;
        TScenar scenar(
            {Zkontroluj(
                 [&](HWND okno) {
                     ZkontrolujRadek(okno);
                     EXPECT_EQ(SendMessageW(Kodovani(okno), CB_GETCURSEL, 0, 0), 0);
                     sirka = Obdelnik(Kodovani(okno)).right - Obdelnik(Kodovani(okno)).left;
                     const RECT r = Obdelnik(okno);
                     SetWindowPos(okno, nullptr, 0, 0, r.right - r.left + 300,
                                  r.bottom - r.top + 100,
                                  SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                 },
                 false),
             Zkontroluj([&](HWND okno) {
                 ZkontrolujRadek(okno);
                 EXPECT_GE(Obdelnik(Kodovani(okno)).right - Obdelnik(Kodovani(okno)).left, sirka);
             })});
        EXPECT_FALSE(dialog->Execute(nullptr));
        EXPECT_TRUE(scenar.Dohrano());
    }
}

TEST(TextoveDialogy, EachDialogRemembersItsEncodingAlsoWhenCancelled) {
    TOpenTextFileDialog otevrit;
    TSaveTextFileDialog ulozit;
    const struct {
        TTextFileDialog* dialog;
        TScenar::Krok krok;
        int ocekavany;
    } kola[] = {
        {&otevrit, Zvol(4), 4}, {&otevrit, Ukazuje(4), 4}, {&ulozit, Ukazuje(0), 0},
        {&ulozit, Zvol(2), 2},  {&otevrit, Ukazuje(4), 4}, {&ulozit, Ukazuje(2), 2},
        {&otevrit, Zvol(5), 5}, {&ulozit, Ukazuje(2), 2},
    };
    for (std::size_t i = 0; i < std::size(kola); ++i) {
        SCOPED_TRACE(i);
        TScenar scenar({kola[i].krok});
        EXPECT_FALSE(kola[i].dialog->Execute(nullptr));
        EXPECT_TRUE(scenar.Dohrano());
        EXPECT_EQ(kola[i].dialog->EncodingIndex(), kola[i].ocekavany);
    }
    EXPECT_TRUE(otevrit.FileName().empty());
    EXPECT_TRUE(ulozit.FileName().empty());
}

// What a user does in the dialogs, one after another: the results, and the names proposed.
TEST(TextoveDialogy, ResultsComeBackAsFullPathsAndAreProposedNextTime) {
    TDocasnaSlozka slozka;
    for (const char* jmeno : {"a.txt", "b.txt", "stary.txt"})
        slozka.Zapis(jmeno, "radek\r\n");
    const std::wstring s = Windows(slozka.Cesta()) + L"\\";
    auto proponuje = [&](const std::wstring& jmeno) {
        return Zkontroluj(
            [&, jmeno](HWND okno) {
                EXPECT_EQ(Dotaz(okno, CDM_GETFOLDERPATH) + L"\\", s);
                EXPECT_EQ(Dotaz(okno, CDM_GETSPEC), jmeno);
            },
            false);
    };
    // An open dialog whose result holds the folder and one of the names, not two.
    struct TMalyDialog : TOpenTextFileDialog {
        explicit TMalyDialog(std::size_t velikost) : TOpenTextFileDialog(velikost) {}
    } maly(s.size() + 8);

    TOpenTextFileDialog otevrit;
    TSaveTextFileDialog ulozit;
    const std::vector<std::wstring> vybrane = {s + L"b.txt", s + L"a.txt"};
    const struct {
        const char* popis;
        TTextFileDialog* dialog;
        std::vector<TScenar::Krok> kroky;
        bool potvrzeno;
        std::wstring fileName;
        std::vector<std::wstring> files; // of the open dialog
    } kola[] = {
        {"several files, in the order given",
         &otevrit,
         {NapisAPotvrd(s), NapisAPotvrd(L"\"b.txt\" \"a.txt\"")},
         true,
         s + L"b.txt",
         vybrane},
        {"the first file proposed, then cancelled",
         &otevrit,
         {proponuje(L"b.txt"), Zkontroluj([](HWND) {})},
         false,
         s + L"b.txt",
         vybrane},
        {"a missing file refused in the dialog",
         &otevrit,
         {NapisAPotvrd(L"nic.txt"), Odpovez(IDOK), Zkontroluj([](HWND) {})},
         false,
         s + L"b.txt",
         vybrane},
        {"a selection too long for the result",
         &maly,
         {NapisAPotvrd(s), NapisAPotvrd(L"\"a.txt\" \"b.txt\"")},
         false,
         L"",
         vybrane},
        // Wine's save dialog asks no create question.
        {"a new output", &ulozit, {NapisAPotvrd(s + L"novy.txt")}, true, s + L"novy.txt", vybrane},
        {"the output proposed; no to the replace question keeps the dialog open",
         &ulozit,
         {proponuje(L"novy.txt"), NapisAPotvrd(L"stary.txt"), Odpovez(IDNO),
          Zkontroluj([](HWND) {})},
         false,
         s + L"novy.txt",
         vybrane},
    };
    for (const auto& k : kola) {
        SCOPED_TRACE(k.popis);
        TScenar scenar(k.kroky);
        EXPECT_EQ(k.dialog->Execute(nullptr), k.potvrzeno);
        EXPECT_TRUE(scenar.Dohrano());
        EXPECT_EQ(W(k.dialog->FileName()), k.fileName);
        std::vector<std::wstring> files;
        for (const std::u16string& soubor : otevrit.Files())
            files.push_back(W(soubor));
        EXPECT_EQ(files, k.files);
    }
}
