#include "lang/JazykyXML.h"
#include "lang/XmlDokument.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace vantrel;

namespace {

QByteArray Utf8(const char* s) {
    return QByteArray(s);
}

QString Preklad(const TJazykXML& jazyk, const QString& sekce, const QString& klic,
                const QString& vychozi) {
    return QString::fromStdU16String(
        jazyk.Preklad(sekce.toStdU16String(), klic.toStdU16String(), vychozi.toStdU16String()));
}

QString Zprava(const EChybaJazyka& chyba) {
    return QString::fromUtf8(chyba.what());
}

// Whether a name, text or attribute anywhere in the tree holds `co`.
bool Obsahuje(const TUzelJazyka& uzel, const QString& co) {
    const auto ma = [&](const std::u16string& text) {
        return QString::fromStdU16String(text).contains(co);
    };
    if (ma(uzel.jmeno) || ma(uzel.text))
        return true;
    for (const auto& [jmeno, hodnota] : uzel.atributy) {
        if (ma(jmeno) || ma(hodnota))
            return true;
    }
    for (const TUzelJazyka& dite : uzel.deti) {
        if (Obsahuje(dite, co))
            return true;
    }
    return false;
}

const char* const SouborPrekladu = R"(<?xml version="1.0" encoding="UTF-8"?>
<cokoli xmlns:p="urn:x">
  <HlavniForm>
    <aKonec><CZ>Konec</CZ><EN>Exit</EN><cz>malé</cz></aKonec>
    <aPridat><CZ></CZ><EN>   </EN></aPridat>
    <dup><CZ>první</CZ></dup>
    <dup><CZ>druhý</CZ></dup>
    <cdata><CZ><![CDATA[a <b> & c]]></CZ></cdata>
    <entita><CZ>x &amp; y &#x10D;</CZ></entita>
    <p:pref><CZ>s prefixem</CZ></p:pref>
    <vnoreny><CZ><b>tučně</b></CZ></vnoreny>
    <komentar><CZ>a<!-- c -->b</CZ></komentar>
    <smes><CZ>a<![CDATA[b]]></CZ></smes>
  </HlavniForm>
  <p:Obecne><rsCHYBA><EN>Error</EN></rsCHYBA></p:Obecne>
</cokoli>
)";

class PrekladTest : public ::testing::Test {
protected:
    void SetUp() override {
        dokument = ParsujDokumentJazyka(Utf8(SouborPrekladu), QStringLiteral("test"));
        jazyk.Dokument = &dokument;
    }
    TDokumentJazyka dokument;
    TJazykXML jazyk;
};

TEST_F(PrekladTest, LookupRules) {
    struct Pripad {
        const char* kod;
        const char* sekce;
        const char* klic;
        const char* ocekavano;
    };
    const Pripad pripady[] = {
        {"CZ", "HlavniForm", "aKonec", "Konec"},
        {"EN", "HlavniForm", "aKonec", "Exit"},
        {"cz", "HlavniForm", "aKonec", "malé"},
        {"Cz", "HlavniForm", "aKonec", "výchozí"},    // codes are case-sensitive
        {"", "HlavniForm", "aKonec", "výchozí"},      // empty code matches nothing
        {"DE", "HlavniForm", "aKonec", "výchozí"},    // missing language element
        {"CZ", "hlavniform", "aKonec", "výchozí"},    // section names case-sensitive
        {"CZ", "HlavniForm", "aKONEC", "výchozí"},    // key names case-sensitive
        {"CZ", "Nic", "aKonec", "výchozí"},           // missing section
        {"CZ", "HlavniForm", "nic", "výchozí"},       // missing entry
        {"CZ", "HlavniForm", "aPridat", "výchozí"},   // empty element
        {"EN", "HlavniForm", "aPridat", "výchozí"},   // whitespace only counts as empty
        {"CZ", "HlavniForm", "dup", "první"},         // first of two entries
        {"CZ", "HlavniForm", "cdata", "a <b> & c"},   // CDATA is character data
        {"CZ", "HlavniForm", "entita", "x & y č"},    // references inside one text
        {"CZ", "HlavniForm", "pref", "s prefixem"},   // local name
        {"CZ", "HlavniForm", "p:pref", "s prefixem"}, // qualified name
        {"EN", "Obecne", "rsCHYBA", "Error"},         // section by local name
        {"CZ", "cokoli", "HlavniForm", "výchozí"},    // root is not a section
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(std::string(p.kod) + "/" + p.sekce + "/" + p.klic);
        jazyk.KodJazyka = QString::fromUtf8(p.kod).toStdU16String();
        EXPECT_EQ(Preklad(jazyk, QString::fromUtf8(p.sekce), QString::fromUtf8(p.klic),
                          QStringLiteral("výchozí")),
                  QString::fromUtf8(p.ocekavano));
    }
}

TEST_F(PrekladTest, ElementWithoutSingleTextFails) {
    for (const char* klic : {"vnoreny", "komentar", "smes"}) {
        SCOPED_TRACE(klic);
        try {
            Preklad(jazyk, QStringLiteral("HlavniForm"), QString::fromUtf8(klic), QString());
            ADD_FAILURE() << "no error";
        } catch (const EChybaJazyka& e) {
            EXPECT_STREQ(e.what(), "Element does not contain a single text node");
        }
    }
}

TEST(Preklad, WithoutDocumentGivesDefault) {
    TJazykXML jazyk;
    EXPECT_EQ(jazyk.KodJazyka, u"CZ");
    EXPECT_EQ(Preklad(jazyk, "HlavniForm", "aKonec", "Konec"), QStringLiteral("Konec"));
    TDokumentJazyka prazdny;
    jazyk.Dokument = &prazdny;
    EXPECT_EQ(Preklad(jazyk, "HlavniForm", "aKonec", "Konec"), QStringLiteral("Konec"));
}

TEST(Nacitani, WhitespaceBetweenElementsIsDropped) {
    const TDokumentJazyka d = ParsujDokumentJazyka(Utf8(SouborPrekladu), "t");
    ASSERT_FALSE(d.deti.empty());
    const TUzelJazyka& sekce = d.deti.front();
    EXPECT_EQ(sekce.druh, TUzelJazyka::TDruh::Prvek);
    ASSERT_FALSE(sekce.deti.empty());
    EXPECT_EQ(sekce.deti.front().druh, TUzelJazyka::TDruh::Prvek);
}

// Each encoding the declaration (or a byte order mark) names decodes to the same text.
TEST(Nacitani, EncodingsFromDeclarationOrBom) {
    const QString text = QStringLiteral("Žluťoučký kůň");
    const QString xml = QStringLiteral("<r><S><K><CZ>%1</CZ></K></S></r>").arg(text);
    struct Pripad {
        const char* popis;
        QByteArray data;
    };
    QStringEncoder cp1250("windows-1250");
    ASSERT_TRUE(cp1250.isValid());
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QStringEncoder latin2("ISO-8859-2");
    const Pripad pripady[] = {
        {"windows-1250",
         QByteArray("<?xml version=\"1.0\" encoding=\"windows-1250\"?>") + cp1250.encode(xml)},
        {"ISO-8859-2",
         QByteArray("<?xml version='1.0' encoding='ISO-8859-2'?>\n") + latin2.encode(xml)},
        {"UTF-8 bez deklarace", xml.toUtf8()},
        {"UTF-16 s BOM", utf16.encode(QStringLiteral("<?xml version=\"1.0\" "
                                                     "encoding=\"UTF-16\"?>") +
                                      xml)},
    };
    // The raw bytes really differ from UTF-8, or the test would prove nothing.
    ASSERT_FALSE(pripady[0].data.contains(text.toUtf8()));
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        TDokumentJazyka d;
        ASSERT_NO_THROW(d = ParsujDokumentJazyka(p.data, "t"));
        TJazykXML jazyk;
        jazyk.Dokument = &d;
        EXPECT_EQ(Preklad(jazyk, "S", "K", "x"), text);
    }
}

TEST(Nacitani, Windows1250FileFromDisk) {
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("vtrl.xml");
    QFile f(cesta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<r><S><K><CZ>");
    f.write("\x8Elu\x9Do\x75\xE8k\xFD k\xF9\xF2");
    f.write("</CZ></K></S></r>\r\n");
    f.close();
    TDokumentJazyka d = NactiDokumentJazyka(cesta);
    TJazykXML jazyk;
    jazyk.Dokument = &d;
    EXPECT_EQ(Preklad(jazyk, "S", "K", "x"), QStringLiteral("Žluťoučký kůň"));
}

TEST(Nacitani, BadFilesRaiseClearErrors) {
    struct Pripad {
        const char* popis;
        QByteArray data;
        const char* vZprave;
    };
    const Pripad pripady[] = {
        {"neuzavreny", "<r>\n<S>\n<K></S>\n</r>", "line 3, column"},
        {"prazdny", "", "line"},
        {"dva koreny", "<r/><r/>", "line 1, column"},
        {"nedeklarovana entita", "<r>&nic;</r>", "line 1, column"},
        {"nezname kodovani", "<?xml version='1.0' encoding='x-nic-takoveho'?><r/>",
         "x-nic-takoveho"},
        {"neplatne UTF-8", "<r>\n <a>\xC3\x28</a></r>",
         "line 2, column 5: the file holds bytes that "
         "are not valid UTF-8"},
        {"UTF-16LE of odd length", QByteArray("\xFF\xFE<\0r\0/\0>\0x", 11),
         "line 1, column 5: the file ends within a UTF-16LE character"},
        {"UTF-16LE of odd length, no byte order mark", QByteArray("<\0r\0/\0>\0\n", 9),
         "the file ends within a UTF-16LE character"},
        {"a lone high surrogate", QByteArray("\xFF\xFE<\0r\0>\0\n\0\x00\xD8<\0/\0r\0>\0", 20),
         "line 2, column 1: a lone surrogate (U+D800) is not a character"},
        {"a lone low surrogate", QByteArray("\xFE\xFF\0<\0r\0>\0x\xDC\x00\0<\0/\0r\0>", 20),
         "line 1, column 5: a lone surrogate (U+DC00) is not a character"},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        try {
            ParsujDokumentJazyka(p.data, "vtrl.xml");
            ADD_FAILURE() << "no error";
        } catch (const EChybaJazyka& e) {
            EXPECT_TRUE(Zprava(e).contains(QString::fromUtf8(p.vZprave))) << e.what();
            EXPECT_TRUE(Zprava(e).startsWith("vtrl.xml")) << e.what();
        }
    }
}

class NepratelskeSoubory : public ::testing::Test {
protected:
    QString Zapis(const QString& jmeno, const QByteArray& data) {
        const QString cesta = adresar.filePath(jmeno);
        QFile f(cesta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
        return cesta;
    }
    QTemporaryDir adresar;
};

// Whatever happens, the secret file's content never reaches the document.
TEST_F(NepratelskeSoubory, ExternalEntitiesAreNeverRead) {
    const QString tajne = Zapis("tajne.txt", "TAJNE-1234");
    const QByteArray url = QUrl::fromLocalFile(tajne).toEncoded();
    const QByteArray varianty[] = {
        "<!DOCTYPE r [<!ENTITY e SYSTEM \"" + tajne.toUtf8() +
            "\">]><r><S><K><CZ>&e;</CZ></K></S></r>",
        "<!DOCTYPE r [<!ENTITY e SYSTEM \"" + url + "\">]><r><S><K><CZ>&e;</CZ></K></S></r>",
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + url + "\"> %p;]><r><S><K><CZ>x</CZ></K></S></r>",
        "<!DOCTYPE r SYSTEM \"" + url + "\"><r><S><K><CZ>x</CZ></K></S></r>",
    };
    for (const QByteArray& data : varianty) {
        SCOPED_TRACE(data.constData());
        const QString cesta = Zapis("vtrl.xml", data);
        try {
            TDokumentJazyka d = NactiDokumentJazyka(cesta);
            EXPECT_FALSE(Obsahuje(d, "TAJNE"));
            TJazykXML jazyk;
            jazyk.Dokument = &d;
            EXPECT_FALSE(Preklad(jazyk, "S", "K", "výchozí").contains("TAJNE"));
        } catch (const EChybaJazyka& e) {
            EXPECT_FALSE(Zprava(e).contains("TAJNE"));
        }
    }
}

TEST_F(NepratelskeSoubory, EntityExpansionIsBounded) {
    QByteArray smichy = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        smichy += "<!ENTITY l" + QByteArray::number(i) + " \"" +
                  ("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    smichy += "]><r><S><K><CZ>&l9;</CZ></K></S></r>";

    // Each entity stays under the parser's own per-entity limit, but many references add up.
    const QByteArray mnoho = "<!DOCTYPE r [<!ENTITY e \"" + QByteArray(4000, 'x') +
                             "\">]><r><S><K><CZ>" + QByteArray("&e;").repeated(200000) +
                             "</CZ></K></S></r>";

    // Few references, each to an entity under that limit: a 16-million-character caption.
    const QByteArray dlouhy = "<!DOCTYPE r [<!ENTITY e \"" + QByteArray(4000, 'x') +
                              "\">]><r><S><K><CZ>" + QByteArray("&e;").repeated(4000) +
                              "</CZ></K></S></r>";

    const QByteArray smich = smichy;
    for (const QByteArray* data : {&smich, &mnoho, &dlouhy}) {
        QElapsedTimer stopky;
        stopky.start();
        EXPECT_THROW(NactiDokumentJazyka(Zapis("vtrl.xml", *data)), EChybaJazyka);
        EXPECT_LT(stopky.elapsed(), 5000);
    }
    try {
        NactiDokumentJazyka(Zapis("vtrl.xml", dlouhy));
    } catch (const EChybaJazyka& e) {
        EXPECT_TRUE(Zprava(e).contains("longer than 4194304 characters")) << e.what();
    }
}

// The parser compares attributes and declarations pairwise: a file with very many of them is
// refused before the parser meets them (100,000 attributes took 36 seconds), and what it would
// build is bounded. Real files stay far inside the bounds, and a file at a bound loads.
TEST_F(NepratelskeSoubory, AttributesDeclarationsAndNodesAreBounded) {
    auto opakuj = [](const char* vzor, int pocet) {
        QByteArray vysledek;
        for (int i = 0; i < pocet; ++i)
            vysledek += QByteArray(vzor).replace("#", QByteArray::number(i));
        return vysledek;
    };
    const QByteArray dtdAtributu =
        "<!DOCTYPE r [<!ATTLIST r " + opakuj(" a# CDATA 'd'", MaxAtributuPrvku + 1) + ">]>";
    const struct {
        const char* popis;
        QByteArray data;
        const char* chyba; // nullptr: the file loads
    } pripady[] = {
        {"100,000 attributes", "<r " + opakuj(" a#=''", 100000) + "/>",
         "line 1, column 1: an element with more than 256 attributes"},
        {"100,000 namespace declarations", "<r " + opakuj(" xmlns:p#='u'", 100000) + "/>",
         "line 1, column 1: an element with more than 256 attributes"},
        {"attributes with '>' in their values",
         "<r>\n<a " + opakuj(" a#='>'", MaxAtributuPrvku + 1) + "/></r>",
         "line 2, column 1: an element with more than 256 attributes"},
        {"as many attributes as allowed", "<r " + opakuj(" a#=''", MaxAtributuPrvku) + "/>",
         nullptr},
        {"attributes in a comment, a CDATA section and text",
         "<r><!-- " + opakuj(" a#=''", 300) + " --><![CDATA[<x " + opakuj(" a#=''", 300) + ">]]>" +
             opakuj(" a#=''", 300) + "</r>",
         nullptr},
        {"attributes from an entity",
         "<!DOCTYPE r [<!ENTITY e \"<x " + opakuj(" a#=''", 300) + "/>\">]><r>&e;</r>",
         "an element with more than 256 attributes"},
        {"attributes from the document type's defaults", dtdAtributu + "<r/>",
         "an element with more than 256 attributes"},
        {"a long document type", "<!DOCTYPE r [" + opakuj("<!ENTITY e# 'x'>", 2000) + "]>\n<r/>",
         "line 1, column 1: the document type declaration is longer than 16384 characters"},
        {"namespaces spread over elements",
         "<r>" + opakuj("<x xmlns:p#='u'/>", MaxDeklaraciNamespace + 1) + "</r>",
         "more than 64 namespace declarations"},
        {"as many namespaces as allowed",
         "<r>" + opakuj("<x xmlns:p#='u'/>", MaxDeklaraciNamespace) + "</r>", nullptr},
        {"attributes spread over elements",
         "<r>" + opakuj("<x a=''/>", MaxAtributuJazyka + 1) + "</r>",
         "more than 16384 attributes in the document"},
        {"elements", "<r>" + QByteArray("<x/>").repeated(MaxUzluJazyka) + "</r>",
         "more than 262144 elements, texts, comments and other nodes"},
        {"comments", "<r>" + QByteArray("<!---->").repeated(MaxUzluJazyka + 1) + "</r>",
         "more than 262144 elements, texts, comments and other nodes"},
        {"as many nodes as allowed, indented",
         "<r>\n" + QByteArray("  <x/>\n").repeated(MaxUzluJazyka - 1) + "</r>", nullptr},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        try {
            NactiDokumentJazyka(Zapis("vtrl.xml", p.data));
            EXPECT_EQ(p.chyba, nullptr) << "loaded";
        } catch (const EChybaJazyka& e) {
            ASSERT_NE(p.chyba, nullptr) << e.what();
            EXPECT_TRUE(Zprava(e).contains(QString::fromUtf8(p.chyba))) << e.what();
        }
    }
}

TEST_F(NepratelskeSoubory, SmallInternalEntitiesStillWork) {
    const QString cesta = Zapis(
        "vtrl.xml", "<!DOCTYPE r [<!ENTITY firma \"Tarsk\">]><r><S><K><CZ>&firma; a &firma;</CZ>"
                    "</K></S></r>");
    TDokumentJazyka d = NactiDokumentJazyka(cesta);
    TJazykXML jazyk;
    jazyk.Dokument = &d;
    EXPECT_EQ(Preklad(jazyk, "S", "K", "x"), QStringLiteral("Tarsk a Tarsk"));
}

TEST_F(NepratelskeSoubory, DeepNestingIsRefusedQuickly) {
    const int hloubka = 200000;
    const QByteArray data =
        QByteArray("<a>").repeated(hloubka) + QByteArray("</a>").repeated(hloubka);
    QElapsedTimer stopky;
    stopky.start();
    try {
        NactiDokumentJazyka(Zapis("vtrl.xml", data));
        ADD_FAILURE() << "no error";
    } catch (const EChybaJazyka& e) {
        EXPECT_TRUE(Zprava(e).contains("nested")) << e.what();
    }
    EXPECT_LT(stopky.elapsed(), 5000);

    // Unclosed as well: the parser alone would take minutes over this.
    EXPECT_THROW(NactiDokumentJazyka(Zapis("vtrl.xml", QByteArray("<a>").repeated(hloubka))),
                 EChybaJazyka);
}

TEST_F(NepratelskeSoubory, SizeLimit) {
    // 10 MB of otherwise valid XML.
    const QByteArray velky =
        "<r><!--" + QByteArray(10 * 1000 * 1000, 'x') + "--><S><K><CZ>t</CZ></K></S></r>";
    try {
        NactiDokumentJazyka(Zapis("velky.xml", velky));
        ADD_FAILURE() << "no error";
    } catch (const EChybaJazyka& e) {
        EXPECT_TRUE(Zprava(e).contains("too large")) << e.what();
    }

    // A large but allowed file loads, and the last entry of many is found.
    QByteArray mnoho = "<r><S>";
    for (int i = 0; mnoho.size() < 1024 * 1024; ++i)
        mnoho += "<K" + QByteArray::number(i) + "><CZ>t" + QByteArray::number(i) + "</CZ></K" +
                 QByteArray::number(i) + ">";
    mnoho += "<posledni><CZ>konec</CZ></posledni></S></r>";
    ASSERT_LE(mnoho.size(), MaxVelikostJazyka);
    TDokumentJazyka d = NactiDokumentJazyka(Zapis("mnoho.xml", mnoho));
    TJazykXML jazyk;
    jazyk.Dokument = &d;
    EXPECT_EQ(Preklad(jazyk, "S", "posledni", "x"), QStringLiteral("konec"));
}

TEST_F(NepratelskeSoubory, MissingOrSpecialPath) {
    EXPECT_THROW(NactiDokumentJazyka(adresar.filePath("nic.xml")), EChybaJazyka);
    EXPECT_THROW(NactiDokumentJazyka(adresar.path()), EChybaJazyka);
}

TEST_F(NepratelskeSoubory, DocumentComponentParsesOnceAndRetriesAfterFailure) {
    const QString cesta = Zapis("vtrl.xml", "<r><S><K><CZ>první</CZ></K></S></r>");
    TSouborJazyka xdc(ParserJazyka());
    xdc.NastavSoubor(cesta.toStdU16String());
    EXPECT_EQ(xdc.Dokument(), nullptr);
    xdc.Otevri();
    ASSERT_NE(xdc.Dokument(), nullptr);
    TJazykXML jazyk;
    jazyk.Dokument = xdc.Dokument();

    // Later changes on disk are not seen, the same path again keeps the document.
    Zapis("vtrl.xml", "<r><S><K><CZ>druhý</CZ></K></S></r>");
    xdc.NastavSoubor(cesta.toStdU16String());
    xdc.Otevri();
    EXPECT_EQ(Preklad(jazyk, "S", "K", "x"), QStringLiteral("první"));
    QFile::remove(cesta);
    EXPECT_EQ(Preklad(jazyk, "S", "K", "x"), QStringLiteral("první"));

    // A broken file fails and is tried again at the next call.
    const QString jina = Zapis("jiny.xml", "<r><S>");
    TSouborJazyka xdc2(ParserJazyka());
    xdc2.NastavSoubor(jina.toStdU16String());
    EXPECT_THROW(xdc2.Otevri(), EChybaJazyka);
    EXPECT_FALSE(xdc2.Otevreny());
    EXPECT_EQ(xdc2.Dokument(), nullptr);
    Zapis("jiny.xml", "<r><S><K><CZ>opraveno</CZ></K></S></r>");
    xdc2.Otevri();
    jazyk.Dokument = xdc2.Dokument();
    EXPECT_EQ(Preklad(jazyk, "S", "K", "x"), QStringLiteral("opraveno"));

    // Another path drops the loaded document.
    xdc2.NastavSoubor(cesta.toStdU16String());
    EXPECT_FALSE(xdc2.Otevreny());
    EXPECT_EQ(Preklad(jazyk, "S", "K", "x"), QStringLiteral("x"));
}

} // namespace
