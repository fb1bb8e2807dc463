#include "lang/JazykyXML.h"
#include "lang/SouborJazyka.h"
#include "support/Hlaseni.h"
#include "support/NavrhOAplikaciForm.h"
#include "win32/Lista.h"
#include "win32/PohledSeznamu.h"
#include "win32/fHlavni.h"
#include "win32/fJazyk.h"
#include "win32/fOAplikaci.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The three windows as the language engine translates them: exactly the marked components,
// each through its own widget.
namespace vantrel::okna {
namespace {

// Boxes are counted, not shown: a test has no one to press their buttons.
class TTicheHlaseni : public THlaseni {
public:
    mutable std::vector<std::u16string> texty;

protected:
    int Ukaz(const std::u16string& text, const std::u16string&, int) const override {
        texty.push_back(text);
        return IDOK;
    }
};

TUzelJazyka Prvek(const std::u16string& jmeno, std::vector<TUzelJazyka> deti) {
    TUzelJazyka prvek;
    prvek.druh = TUzelJazyka::TDruh::Prvek;
    prvek.jmeno = jmeno;
    prvek.deti = std::move(deti);
    return prvek;
}

// An entry with its English text.
TUzelJazyka Zaznam(const std::u16string& klic, const std::u16string& text) {
    TUzelJazyka textovy;
    textovy.druh = TUzelJazyka::TDruh::Text;
    textovy.text = text;
    return Prvek(klic, {Prvek(u"EN", {textovy})});
}

std::u16string TextTlacitka(HWND lista, int akce) {
    wchar_t text[256] = {};
    SendMessageW(lista, TB_GETBUTTONTEXTW, static_cast<WPARAM>(TLista::PrvniPrikaz + akce),
                 reinterpret_cast<LPARAM>(text));
    return Text16(text);
}

// The tooltip the toolbar would show, as the window answers the toolbar's question.
std::u16string Tip(HWND okno, HWND lista, int akce) {
    wchar_t text[256] = {};
    NMTBGETINFOTIPW dotaz{};
    dotaz.hdr.hwndFrom = lista;
    dotaz.hdr.code = TBN_GETINFOTIPW;
    dotaz.iItem = TLista::PrvniPrikaz + akce;
    dotaz.pszText = text;
    dotaz.cchTextMax = 256;
    SendMessageW(okno, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&dotaz));
    return Text16(text);
}

class TranslatedWindows : public testing::Test {
protected:
    TTicheHlaseni hlaseni;
    TJazykXML jazyk;
    TSouborJazyka soubor{[](const std::u16string&) { return TDokumentJazyka(); }};
    TDokumentJazyka dokument = Prvek(
        u"vtrl",
        {Prvek(u"HlavniForm",
               {Zaznam(u"HlavniForm", u"Title"), Zaznam(u"aKonec", u"&Exit"),
                Zaznam(u"aKonec-H", u"Quits the program|"), Zaznam(u"aSmazatVse", u"Remove all"),
                Zaznam(u"aSmazatVse-H", u"Removes every file"), Zaznam(u"livSoubory0", u"File"),
                Zaznam(u"livSoubory3", u"Type"), Zaznam(u"ActionToolBar1", u"Bar")}),
         Prvek(u"OAplikaciForm",
               {Zaznam(u"OAplikaciForm", u"About"), Zaznam(u"Label1", u"Other"),
                Zaznam(u"lblVerze", u"9.9.9"), Zaznam(u"lblPopis", u"Joins text files"),
                Zaznam(u"Label2", u"Nobody"), Zaznam(u"btnZavrit", u"Close")}),
         Prvek(u"JazykForm", {Zaznam(u"JazykForm", u"Language"), Zaznam(u"livJazyk0", u"Code"),
                              Zaznam(u"livJazyk3", u"Author"), Zaznam(u"btnOK", u"Fine"),
                              Zaznam(u"btnStorno", u"Cancel")})});

    void SetUp() override {
        INITCOMMONCONTROLSEX ovladace{sizeof(ovladace), ICC_WIN95_CLASSES | ICC_LINK_CLASS};
        InitCommonControlsEx(&ovladace);
        jazyk.KodJazyka = u"EN";
        jazyk.Dokument = &dokument;
    }
};

TEST_F(TranslatedWindows, TheMainWindowKeepsItsTitleAndTranslatesItsActionsAndColumns) {
    THlavniForm hlavni(jazyk, hlaseni, soubor);
    hlavni.PrelozOkna(jazyk);

    EXPECT_EQ(TextOkna(hlavni.Handle()), u"Vantrel");
    const HWND lista = hlavni.ActionToolBar1();
    struct TPripad {
        TAkce akce;
        std::u16string naListe, tip;
    };
    const TPripad pripady[] = {
        {TAkce::Konec, u"&Exit", u"Quits the program (F4)"},
        {TAkce::SmazatVse, u"Remove all", u"Remove all (Shift+Del)"},
        // No entry: the designed caption with its access key, the designed hint.
        {TAkce::Jazyk, u"&Jazyk...", u"Umožní zvolit jazyk prostředí aplikace (Ctrl+J)"},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(static_cast<int>(p.akce));
        EXPECT_EQ(TextTlacitka(lista, static_cast<int>(p.akce)), p.naListe);
        EXPECT_EQ(Tip(hlavni.Handle(), lista, static_cast<int>(p.akce)), p.tip);
    }
    const std::u16string sloupce[] = {u"File", u"Velikost", u"Datum", u"Type"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(TextSloupce(hlavni.livSoubory(), i), sloupce[i]);
    EXPECT_TRUE(hlaseni.texty.empty());
}

TEST_F(TranslatedWindows, TheDialogsTranslateTheirTitlesAndMarkedPartsOnly) {
    THlavniForm hlavni(jazyk, hlaseni, soubor);
    TOAplikaciForm oAplikaci(hlaseni, hlavni.Handle());
    TJazykForm jazykForm(hlaseni, hlavni.Handle());
    const std::u16string verze = TextOkna(oAplikaci.lblVerze());
    jazyk.PrelozFormular(oAplikaci);
    jazyk.PrelozFormular(jazykForm);

    EXPECT_EQ(TextOkna(oAplikaci.Handle()), u"About");
    EXPECT_EQ(TextOkna(oAplikaci.lblPopis()), u"Joins text files");
    EXPECT_EQ(TextOkna(oAplikaci.btnZavrit()), u"Close");
    EXPECT_EQ(TextOkna(oAplikaci.Label1()), u"Vantrel 3");
    EXPECT_EQ(TextOkna(oAplikaci.lblVerze()), verze);
    EXPECT_EQ(TextOkna(oAplikaci.Label2()), navrhOAplikaciForm::Copyright);

    EXPECT_EQ(TextOkna(jazykForm.Handle()), u"Language");
    EXPECT_EQ(TextOkna(jazykForm.btnOK()), u"Fine");
    EXPECT_EQ(TextOkna(jazykForm.btnStorno()), u"Cancel");
    const std::u16string sloupce[] = {u"Code", u"Název", u"Verze", u"Author"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(TextSloupce(jazykForm.livJazyk(), i), sloupce[i]);
}

} // namespace
} // namespace vantrel::okna
