#include "pravidla/PopiskyAkci.h"

#include <gtest/gtest.h>

// What the toolbar shows of each action: its caption with the access key and its tooltip.
namespace vantrel {
namespace {

TEST(ToolbarTexts, EachActionShowsItsShortcutInItsTooltip) {
    struct TPripad {
        TAkce akce;
        std::u16string zkratka, tip, naListe;
    };
    const TPripad pripady[] = {
        {TAkce::Konec, u"F4", u"Ukončení aplikace (F4)", u"&Konec"},
        {TAkce::Pridat, u"Ins", u"Přidá jeden nebo více souborů do seznamu (Ins)", u"&Přidat..."},
        {TAkce::Smazat, u"Del", u"Odstraní vybrané soubory ze seznamu (Del)", u"&Smazat"},
        {TAkce::SmazatVse, u"Shift+Del", u"Odstraní všechny soubory ze seznamu (Shift+Del)",
         u"S&mazat vše"},
        {TAkce::Spojit, u"F9", u"Spojí textové soubory v seznamu do jednoho souboru (F9)",
         u"Sp&ojit"},
        {TAkce::Jazyk, u"Ctrl+J", u"Umožní zvolit jazyk prostředí aplikace (Ctrl+J)", u"&Jazyk..."},
        {TAkce::OAplikaci, u"F1", u"Zobrazí informace o aplikaci (F1)", u"O &aplikaci..."},
    };
    for (const TPripad& p : pripady) {
        const TPopisAkce& popis = PopisAkce(p.akce);
        SCOPED_TRACE(popis.jmeno);
        EXPECT_EQ(TextZkratky(popis.zkratka), p.zkratka);
        EXPECT_EQ(TipAkce(popis.hint, popis.zkratka), p.tip);
        EXPECT_EQ(TitulekNaListe(popis, popis.titulek), p.naListe);
    }
}

TEST(ToolbarTexts, ATranslatedActionShowsItsOwnCaptionAndTheShortPartOfItsHint) {
    const TPopisAkce& konec = PopisAkce(TAkce::Konec);
    EXPECT_EQ(TitulekNaListe(konec, u"&Exit"), u"&Exit");
    EXPECT_EQ(TitulekNaListe(konec, u"Konec "), u"Konec ");
    EXPECT_EQ(TipAkce(u"Exit|Quits the program", konec.zkratka), u"Exit (F4)");
    EXPECT_EQ(TipAkce(u"Quits", konec.zkratka), u"Quits (F4)");
}

} // namespace
} // namespace vantrel
