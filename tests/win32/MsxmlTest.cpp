#include "win32/Msxml.h"

#include "../textfile/Pomocne.h"
#include "lang/ChybaJazyka.h"
#include "lang/JazykyXML.h"
#include "platforma/Utf8.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

using namespace vantrel;
using vantrel::test::TDocasnaSlozka;

namespace {

// The child element named so, or nullptr.
const TUzelJazyka* Dite(const TUzelJazyka& uzel, const std::u16string& jmeno) {
    for (const TUzelJazyka& dite : uzel.deti) {
        if (dite.druh == TUzelJazyka::TDruh::Prvek && dite.jmeno == jmeno)
            return &dite;
    }
    return nullptr;
}

// The text of the element at the path below the root; "<missing>" or "<not one text>".
std::u16string Text(const TUzelJazyka& koren, std::initializer_list<std::u16string> cesta) {
    const TUzelJazyka* uzel = &koren;
    for (const std::u16string& jmeno : cesta) {
        uzel = Dite(*uzel, jmeno);
        if (uzel == nullptr)
            return u"<missing>";
    }
    if (uzel->deti.size() != 1 || uzel->deti[0].druh != TUzelJazyka::TDruh::Text)
        return u"<not one text>";
    return uzel->deti[0].text;
}

std::u16string U16(const std::string& utf8) {
    return DekodujUtf8(utf8);
}

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bajty = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char vyssi = static_cast<char>(c >> 8);
        const char nizsi = static_cast<char>(c & 0xFF);
        bajty += bigEndian ? std::string{vyssi, nizsi} : std::string{nizsi, vyssi};
    }
    return bajty;
}

std::string Opakuj(const std::string& co, int kolikrat) {
    std::string vysledek;
    for (int i = 0; i < kolikrat; ++i)
        vysledek += co;
    return vysledek;
}

std::string Atributy(int pocet) {
    std::string atributy;
    for (int i = 0; i < pocet; ++i)
        atributy += " a" + std::to_string(i) + "=''";
    return atributy;
}

// An element CZ at that depth, counting from the first "a".
std::string Zanoreni(int hloubka) {
    return Opakuj("<a>", hloubka - 1) + "<CZ>x</CZ>" + Opakuj("</a>", hloubka - 1);
}

// The language file of the program as it ships; the Unix root is drive Z: under Wine.
std::u16string DodanySoubor() {
    return U16("Z:" VANTREL_ZDROJE "/vtrl.xml");
}

} // namespace

TEST(Msxml, LanguageFilesLoadOrAreRefusedAsOnLinux) {
    const std::u16string zluta = u"Žluťoučký kůň";
    const std::string cz =
        "<r>\n  <S>\n    <K><CZ>" + KodujUtf8(zluta) + "</CZ></K>\n  </S>\n</r>\n";
    const struct {
        const char* popis;
        std::string data;
        const char* chyba; // in the message after "vtrl.xml: "; nullptr: loads, with K's text
                           // in section S
        std::u16string text = u"Žluťoučký kůň";
    } pripady[] = {
        {"UTF-8 without a declaration", cz, nullptr},
        {"UTF-8 by its declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + cz, nullptr},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + cz, nullptr},
        {"UTF-16LE with a byte order mark",
         Utf16(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + U16(cz), false), nullptr},
        {"UTF-16BE with a byte order mark", Utf16(U16(cz), true), nullptr},
        {"windows-1250 by its declaration",
         "<?xml version='1.0' encoding='windows-1250'?>\r\n<r><S><K><CZ>"
         "\x8Elu\x9Do\x75\xE8k\xFD k\xF9\xF2</CZ></K></S></r>\r\n",
         nullptr},
        {"ISO-8859-2 by its declaration",
         "<?xml version='1.0' encoding='ISO-8859-2'?><r><S><K><CZ>"
         "\xAElu\xBBou\xE8k\xFD k\xF9\xF2</CZ></K></S></r>",
         nullptr},
        {"character data in a CDATA section, references, comments around",
         "<r><!-- c --><S><?pi x?><K><CZ><![CDATA[<b> &amp;]]></CZ></K></S></r>", nullptr,
         u"<b> &amp;"},
        {"references", "<r><S><K><CZ>a &amp; &#x10D;&lt;</CZ></K></S></r>", nullptr, u"a & č<"},
        {"nested as deep as allowed", "<r><S><K>" + Zanoreni(MaxHloubkaJazyka - 3) + "</K></S></r>",
         nullptr, u"<missing>"},
        {"not well-formed", "<r>\n  <S>\n    <K><CZ>x</EN></K>\n  </S>\n</r>", "line 3, column "},
        {"two root elements", "<r/><r/>", "line 1, column "},
        {"empty", "", "line 1, column "},
        {"an undeclared entity", "<r>&nic;</r>", "line 1, column "},
        {"bytes that are not UTF-8", "<r>\n <a>\xC3\x28</a></r>", "line 2, column "},
        {"an unknown encoding", "<?xml version='1.0' encoding='x-nic-takoveho'?><r/>",
         "line 1, column "},
        {"a document type with internal entities",
         "<!DOCTYPE r [<!ENTITY firma \"Tarsk\">]><r><S><K><CZ>&firma;</CZ></K></S></r>",
         "a document type declaration (<!DOCTYPE) is not allowed here"},
        {"nested one level too deep", "<r><S><K>" + Zanoreni(MaxHloubkaJazyka - 2) + "</K></S></r>",
         "elements nested deeper than 256 levels"},
        {"nested far too deep", Opakuj("<a>", 200000) + Opakuj("</a>", 200000),
         "elements nested deeper than 256 levels"},
        {"an element with too many attributes", "<r" + Atributy(MaxAtributuPrvku + 1) + "/>",
         "an element with more than 256 attributes"},
        {"an element with as many attributes as allowed",
         "<r" + Atributy(MaxAtributuPrvku) + "><S><K><CZ>x</CZ></K></S></r>", nullptr, u"x"},
        {"too many nodes", "<r>" + Opakuj("<x/>", MaxUzluJazyka) + "</r>",
         "more than 262144 elements, texts, comments and other nodes"},
        {"too much text", "<r>" + std::string(MaxTextJazyka + 1, 'x') + "</r>",
         "the text of the document, entities expanded, is longer than 4194304"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        try {
            const TDokumentJazyka strom = ParsujJazykMsxml(p.data, u"vtrl.xml");
            ASSERT_EQ(p.chyba, nullptr) << "loaded";
            TJazykXML jazyk;
            jazyk.Dokument = &strom;
            EXPECT_TRUE(jazyk.Preklad(u"S", u"K", u"<missing>") == p.text);
        } catch (const EChybaJazyka& e) {
            ASSERT_NE(p.chyba, nullptr) << e.what();
            const std::string zprava = e.what();
            EXPECT_EQ(zprava.rfind("vtrl.xml: ", 0), 0u) << zprava;
            EXPECT_NE(zprava.find(p.chyba), std::string::npos) << zprava;
        }
    }
}

// Whitespace between elements is dropped; texts and CDATA sections are text, comments and
// instructions carry theirs; names are qualified.
TEST(Msxml, TheTreeHoldsWhatTheEngineReads) {
    const TDokumentJazyka strom =
        ParsujJazykMsxml("<p:r xmlns:p='urn:x' b='2' a='1'>\n  <!-- note -->\n  <?cil data?>\n"
                         "  <S>  text  </S>\n  <p:T><![CDATA[ c ]]></p:T>\n</p:r>\n",
                         u"vtrl.xml");
    EXPECT_TRUE(strom.jmeno == u"p:r");
    // In any order: Wine's parser puts the namespace declarations last.
    std::vector<std::pair<std::u16string, std::u16string>> atributy = strom.atributy;
    std::sort(atributy.begin(), atributy.end());
    EXPECT_TRUE((atributy == std::vector<std::pair<std::u16string, std::u16string>>{
                                 {u"a", u"1"}, {u"b", u"2"}, {u"xmlns:p", u"urn:x"}}));
    ASSERT_EQ(strom.deti.size(), 4u);
    EXPECT_EQ(strom.deti[0].druh, TUzelJazyka::TDruh::Jiny);
    EXPECT_TRUE(strom.deti[0].text == u" note ");
    EXPECT_EQ(strom.deti[1].druh, TUzelJazyka::TDruh::Jiny);
    EXPECT_TRUE(strom.deti[1].text == u"data");
    EXPECT_TRUE(Text(strom, {u"S"}) == u"  text  ");
    EXPECT_TRUE(Text(strom, {u"p:T"}) == u" c ");
}

TEST(Msxml, OnlyARegularFileOfBoundedSizeIsRead) {
    TDocasnaSlozka slozka;
    const std::string dobry = slozka.Zapis("vtrl.xml", "<r><S><K><CZ>ano</CZ></K></S></r>");
    const std::string velky =
        slozka.Zapis("velky.xml", "<r><!--" + std::string(MaxVelikostJazyka, 'x') + "--></r>");
    const struct {
        const char* popis;
        std::string cesta;
        const char* chyba; // after the path and ": "; nullptr: loads
    } pripady[] = {
        {"a language file", dobry, nullptr},
        {"a missing file", slozka.Soubor("nic.xml"), "the file does not exist"},
        {"in a missing folder", slozka.Soubor("nic/vtrl.xml"), "the file does not exist"},
        {"a folder", slozka.Cesta(), "not a regular file"},
        {"a file over the bound", velky,
         "the language file is too large (8388622 bytes, at most 8388608 allowed)"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        try {
            const TDokumentJazyka strom = NactiJazykMsxml(U16(p.cesta));
            ASSERT_EQ(p.chyba, nullptr) << "loaded";
            EXPECT_TRUE(Text(strom, {u"S", u"K", u"CZ"}) == u"ano");
        } catch (const EChybaJazyka& e) {
            ASSERT_NE(p.chyba, nullptr) << e.what();
            EXPECT_EQ(std::string(e.what()), p.cesta + ": " + p.chyba);
        }
    }
}

// Refused with the document type that names them: the secret never reaches the program.
TEST(Msxml, ExternalEntitiesAreNeverRead) {
    TDocasnaSlozka slozka;
    const std::string tajne = slozka.Zapis("tajne.txt", "TAJNE-1234");
    const std::string url = "file:///" + tajne;
    const std::string varianty[] = {
        "<!DOCTYPE r [<!ENTITY e SYSTEM \"" + tajne + "\">]><r><S><K><CZ>&e;</CZ></K></S></r>",
        "<!DOCTYPE r [<!ENTITY e SYSTEM \"" + url + "\">]><r><S><K><CZ>&e;</CZ></K></S></r>",
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + url + "\"> %p;]><r><S><K><CZ>x</CZ></K></S></r>",
        "<!DOCTYPE r SYSTEM \"" + url + "\"><r><S><K><CZ>x</CZ></K></S></r>",
    };
    for (const std::string& data : varianty) {
        SCOPED_TRACE(data);
        try {
            NactiJazykMsxml(U16(slozka.Zapis("vtrl.xml", data)));
            ADD_FAILURE() << "loaded";
        } catch (const EChybaJazyka& e) {
            EXPECT_EQ(std::string(e.what()).find("TAJNE"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("DOCTYPE"), std::string::npos) << e.what();
        }
    }
}

// The language list of the language dialog.
class TSeznam : public TSeznamJazyku {
public:
    std::vector<TPopisJazyka> jazyky;
    void Vymaz() override { jazyky.clear(); }
    void Pridej(const TPopisJazyka& jazyk) override { jazyky.push_back(jazyk); }
    void Vyber(int) override {}
};

// The file beside the program: six languages, each with its flag, and each with its text in
// every entry.
TEST(Msxml, TheShippedLanguageFileHoldsEveryLanguage) {
    const TDokumentJazyka strom = NactiJazykMsxml(DodanySoubor());
    TJazykXML jazyk;
    jazyk.Dokument = &strom;
    TSeznam seznam;
    jazyk.NactiJazyky(seznam);
    const std::u16string kody[] = {u"CZ", u"EN", u"SK", u"DE", u"FR", u"ES"};
    ASSERT_EQ(seznam.jazyky.size(), std::size(kody));
    for (std::size_t i = 0; i < std::size(kody); ++i) {
        EXPECT_TRUE(seznam.jazyky[i].kod == kody[i]) << i;
        EXPECT_EQ(seznam.jazyky[i].indexVlajky, static_cast<int>(i));
        EXPECT_FALSE(seznam.jazyky[i].nazev.empty()) << i;
    }
    int zaznamu = 0;
    for (const TUzelJazyka& sekce : strom.deti) {
        if (sekce.druh != TUzelJazyka::TDruh::Prvek || sekce.jmeno == u"JAZYKY")
            continue;
        for (const TUzelJazyka& zaznam : sekce.deti) {
            if (zaznam.druh != TUzelJazyka::TDruh::Prvek)
                continue;
            ++zaznamu;
            for (const std::u16string& kod : kody) {
                jazyk.KodJazyka = kod;
                EXPECT_FALSE(jazyk.Preklad(sekce.jmeno, zaznam.jmeno, u"").empty())
                    << KodujUtf8(sekce.jmeno + u"/" + zaznam.jmeno + u"/" + kod);
            }
        }
    }
    EXPECT_GE(zaznamu, 35);
}
