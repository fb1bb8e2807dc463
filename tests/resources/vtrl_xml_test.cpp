// The shipped language file and the image resources, checked as the program will read them.

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringDecoder>
#include <QSvgRenderer>
#include <gtest/gtest.h>
#include <set>

namespace vantrel {
namespace {

struct Zaznam {
    const char* sekce;
    const char* klic;
    const char* vestaveny; // the text the program shows without a language file
};

// Every entry the windows and the message texts look up, with the built-in Czech text.
const Zaznam zaznamy[] = {
    {"Obecne", "rsCHYBA", "Chyba"},
    {"Obecne", "rsNELZEDOREGISTRU", "Při zápisu hodnot nastavení do registru došlo k chybě"},
    {"Obecne", "rsNELZEZEREGISTRU", "Při čtení hodnot nastavení z registru došlo k chybě"},
    {"Obecne", "rsVAROVANI", "Varování"},
    {"Obecne", "rsSMAZATSOUBORY", "Smazat označené soubory"},
    {"Obecne", "rsSPOJENO", "Potvrzené soubory byly spojeny do souboru"},
    {"Obecne", "rsSOUBORU", "Počet souborů"},
    {"HlavniForm", "livSoubory0", "Název souboru"},
    {"HlavniForm", "livSoubory1", "Velikost"},
    {"HlavniForm", "livSoubory2", "Datum"},
    {"HlavniForm", "livSoubory3", "Typ"},
    {"HlavniForm", "aKonec", "Konec"},
    {"HlavniForm", "aPridat", "Přidat..."},
    {"HlavniForm", "aSmazat", "Smazat"},
    {"HlavniForm", "aSmazatVse", "Smazat vše"},
    {"HlavniForm", "aSpojit", "Spojit"},
    {"HlavniForm", "aJazyk", "Jazyk..."},
    {"HlavniForm", "aOAplikaci", "O aplikaci..."},
    {"HlavniForm", "aKonec-H", "Ukončení aplikace|"},
    {"HlavniForm", "aPridat-H", "Přidá jeden nebo více souborů do seznamu|"},
    {"HlavniForm", "aSmazat-H", "Odstraní vybrané soubory ze seznamu|"},
    {"HlavniForm", "aSmazatVse-H", "Odstraní všechny soubory ze seznamu|"},
    {"HlavniForm", "aSpojit-H", "Spojí textové soubory v seznamu do jednoho souboru|"},
    {"HlavniForm", "aJazyk-H", "Umožní zvolit jazyk prostředí aplikace|"},
    {"HlavniForm", "aOAplikaci-H", "Zobrazí informace o aplikaci|"},
    {"HlavniForm", "livSoubory-A", "Soubory ke spojení"},
    {"HlavniForm", "ActionToolBar1-A", "Panel nástrojů"},
    {"HlavniForm", "StatusBar1-A", "Stavový řádek"},
    {"HlavniForm", "imlSoubory0", "Čeká na spojení"},
    {"HlavniForm", "imlSoubory1", "Spojeno"},
    {"JazykForm", "JazykForm", "Výběr jazyka aplikace"},
    {"JazykForm", "livJazyk0", "Jazyk"},
    {"JazykForm", "livJazyk1", "Název"},
    {"JazykForm", "livJazyk2", "Verze"},
    {"JazykForm", "livJazyk3", "Autor"},
    {"JazykForm", "btnOK", "OK"},
    {"JazykForm", "btnStorno", "Storno"},
    {"OAplikaciForm", "OAplikaciForm", "O aplikaci"},
    {"OAplikaciForm", "lblPopis", "Spojování textových souborů do jednoho"},
    {"OAplikaciForm", "btnZavrit", "Zavřít"},
};

// Order of the language dialog; the position is also the flag index.
const char* const kody[] = {"CZ", "EN", "SK", "DE", "FR", "ES"};
const char* const nazvy[] = {"Čeština", "English", "Slovenčina", "Deutsch", "Français", "Español"};

// Texts in narrow places: 75 px buttons and the short list columns.
struct Limit {
    const char* sekce;
    const char* klic;
    int znaku;
};
const Limit limity[] = {
    {"JazykForm", "btnOK", 10},         {"JazykForm", "btnStorno", 10},
    {"OAplikaciForm", "btnZavrit", 10}, {"HlavniForm", "livSoubory1", 10},
    {"HlavniForm", "livSoubory2", 14},  {"HlavniForm", "livSoubory3", 12},
    {"JazykForm", "livJazyk0", 9},      {"JazykForm", "livJazyk1", 12},
    {"JazykForm", "livJazyk2", 8},      {"OAplikaciForm", "lblPopis", 48},
};

QString cesta(const char* c) {
    return QString::fromUtf8(c);
}

// Every element child, in document order, skipping comments and the like.
QList<QDomElement> prvky(const QDomNode& rodic) {
    QList<QDomElement> vysledek;
    for (QDomElement e = rodic.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        vysledek.append(e);
    return vysledek;
}

// The lookup reads a language element's single character-data child; anything else is an error.
bool jedinyText(const QDomElement& e, QString* text) {
    const QDomNodeList deti = e.childNodes();
    if (deti.count() != 1 || !(deti.at(0).isText() || deti.at(0).isCDATASection()))
        return false;
    *text = deti.at(0).toCharacterData().data();
    return true;
}

bool okrajovaMezera(const QString& s) {
    auto bila = [](QChar c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !s.isEmpty() && (bila(s.front()) || bila(s.back()));
}

class JazykovySoubor : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QFile f(cesta(VTRL_XML));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << VTRL_XML;
        obsah = new QByteArray(f.readAll());
        dokument = new QDomDocument;
        int radek = 0, sloupec = 0;
        nacteno = dokument->setContent(*obsah, &chyba, &radek, &sloupec);
        if (!nacteno)
            chyba += QStringLiteral(" (%1:%2)").arg(radek).arg(sloupec);
    }
    static void TearDownTestSuite() {
        delete dokument;
        delete obsah;
    }
    void SetUp() override { ASSERT_TRUE(nacteno) << chyba.toStdString(); }

    static QDomElement koren() { return dokument->documentElement(); }
    static QDomElement zaznam(const char* sekce, const char* klic) {
        return koren().firstChildElement(sekce).firstChildElement(klic);
    }

    static inline QByteArray* obsah = nullptr;
    static inline QDomDocument* dokument = nullptr;
    static inline bool nacteno = false;
    static inline QString chyba;
};

TEST_F(JazykovySoubor, JeVUtf8SDeklaraci) {
    EXPECT_TRUE(obsah->startsWith("<?xml ")) << "the file must start with an XML declaration";
    const QByteArray deklarace = obsah->left(obsah->indexOf("?>"));
    EXPECT_TRUE(deklarace.contains("encoding=\"UTF-8\"")) << deklarace.constData();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(*obsah);
    EXPECT_FALSE(utf8.hasError()) << "the file holds bytes that are not UTF-8";
    EXPECT_TRUE(text.contains(QStringLiteral("Slovenčina")));
}

TEST_F(JazykovySoubor, JazykyVPoradiVlajekSeTremiPopisy) {
    const QDomElement jazyky = koren().firstChildElement("JAZYKY");
    ASSERT_FALSE(jazyky.isNull());
    const QList<QDomElement> popisy = prvky(jazyky);
    ASSERT_EQ(popisy.size(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(kody[i]);
        const QDomElement& p = popisy[i];
        EXPECT_EQ(p.tagName(), cesta(kody[i]));
        bool cislo = false;
        EXPECT_EQ(p.attribute("index").toInt(&cislo), i);
        EXPECT_TRUE(cislo) << "index must be a whole number";
        // Name, version and author are taken by position, so nothing else may sit among them.
        const QDomNodeList deti = p.childNodes();
        ASSERT_EQ(deti.count(), 3);
        QString texty[3];
        for (int j = 0; j < 3; ++j) {
            ASSERT_TRUE(deti.at(j).isElement()) << "child " << j;
            ASSERT_TRUE(jedinyText(deti.at(j).toElement(), &texty[j])) << "child " << j;
            EXPECT_FALSE(texty[j].isEmpty()) << "child " << j;
            EXPECT_FALSE(okrajovaMezera(texty[j])) << "child " << j;
        }
        EXPECT_EQ(texty[0], cesta(nazvy[i]));
    }
}

TEST_F(JazykovySoubor, KazdyZaznamVeVsechJazycich) {
    for (const Zaznam& z : zaznamy) {
        SCOPED_TRACE(std::string(z.sekce) + "/" + z.klic);
        const QDomElement e = zaznam(z.sekce, z.klic);
        ASSERT_FALSE(e.isNull()) << "entry missing";
        const QString vestaveny = cesta(z.vestaveny);
        const bool napoveda = QString(z.klic).endsWith("-H");
        // The toolbar shows the actions' captions; the Czech ones get their keys from the design.
        const bool naListe = QString(z.sekce) == "HlavniForm" && z.klic[0] == 'a' && !napoveda;
        for (const char* kod : kody) {
            SCOPED_TRACE(kod);
            const QDomElement jazyk = e.firstChildElement(kod);
            ASSERT_FALSE(jazyk.isNull()) << "language missing";
            QString text;
            ASSERT_TRUE(jedinyText(jazyk, &text)) << "not a single piece of text";
            EXPECT_FALSE(text.isEmpty());
            EXPECT_FALSE(okrajovaMezera(text)) << text.toStdString();
            if (QString(kod) == "CZ") {
                EXPECT_EQ(text, vestaveny);
            }
            if (naListe && QString(kod) != "CZ") {
                const qsizetype znak = text.indexOf('&');
                EXPECT_TRUE(text.count('&') == 1 && znak + 1 < text.size() &&
                            text[znak + 1].isLetter())
                    << "one access key, on a letter: " << text.toStdString();
            } else {
                EXPECT_FALSE(text.contains('&')) << "no access key here";
            }
            // A hint is tooltip "|" long hint; an early "|" would cut the tooltip short.
            if (napoveda) {
                EXPECT_TRUE(text.endsWith('|')) << text.toStdString();
                EXPECT_EQ(text.count('|'), 1) << text.toStdString();
            } else {
                EXPECT_FALSE(text.contains('|')) << text.toStdString();
            }
            // Captions that open a dialog say so in every language, and only those.
            EXPECT_EQ(text.endsWith("..."), vestaveny.endsWith("...")) << text.toStdString();
        }
    }
}

TEST_F(JazykovySoubor, ZadneDuplicityANeznameKlice) {
    std::set<QString> sekce;
    for (const QDomElement& s : prvky(koren())) {
        SCOPED_TRACE(s.tagName().toStdString());
        EXPECT_TRUE(sekce.insert(s.tagName()).second) << "section twice";
        if (s.tagName() == "JAZYKY")
            continue;
        std::set<QString> klice;
        for (const QDomElement& e : prvky(s)) {
            SCOPED_TRACE(e.tagName().toStdString());
            // Only the first of two equal keys is ever read; the second is dead text.
            EXPECT_TRUE(klice.insert(e.tagName()).second) << "key twice";
            bool znamy = false;
            for (const Zaznam& z : zaznamy)
                znamy = znamy || (s.tagName() == z.sekce && e.tagName() == z.klic);
            EXPECT_TRUE(znamy) << "no window looks this key up (misspelt?)";
            std::set<QString> jazyky;
            for (const QDomElement& j : prvky(e)) {
                EXPECT_TRUE(jazyky.insert(j.tagName()).second) << j.tagName().toStdString();
                EXPECT_NE(std::find_if(std::begin(kody), std::end(kody),
                                       [&](const char* k) { return j.tagName() == k; }),
                          std::end(kody))
                    << "unknown language " << j.tagName().toStdString();
            }
        }
    }
    EXPECT_EQ(sekce,
              (std::set<QString>{"JAZYKY", "Obecne", "HlavniForm", "JazykForm", "OAplikaciForm"}));
}

TEST_F(JazykovySoubor, KratkeTextySeVejdou) {
    for (const Limit& l : limity) {
        for (const char* kod : kody) {
            SCOPED_TRACE(std::string(l.klic) + " " + kod);
            const QString text = zaznam(l.sekce, l.klic).firstChildElement(kod).text();
            EXPECT_LE(text.size(), l.znaku) << text.toStdString();
        }
    }
}

// --- images -----------------------------------------------------------------------------

const char* const obrazky[] = {
    "exit.svg",    "add.svg",           "remove.svg",       "remove-all.svg", "join.svg",
    "about.svg",   "state-waiting.svg", "state-joined.svg", "vantrel.svg",    "flag-cz.svg",
    "flag-gb.svg", "flag-sk.svg",       "flag-de.svg",      "flag-fr.svg",    "flag-es.svg",
};

QString adresarZdroju() {
    return QFileInfo(cesta(VANTREL_QRC)).absolutePath();
}

// alias -> path relative to the qrc's folder
std::map<QString, QString> souboryQrc(QString* prefix) {
    std::map<QString, QString> vysledek;
    QFile f(cesta(VANTREL_QRC));
    QDomDocument qrc;
    if (!f.open(QIODevice::ReadOnly) || !qrc.setContent(&f))
        return vysledek;
    const QDomElement zdroj = qrc.documentElement().firstChildElement("qresource");
    *prefix = zdroj.attribute("prefix");
    for (const QDomElement& e : prvky(zdroj))
        vysledek[e.attribute("alias")] = e.text();
    return vysledek;
}

QImage vykresli(const QString& soubor, int velikost) {
    QSvgRenderer r(soubor);
    QImage obraz(velikost, velikost, QImage::Format_ARGB32);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    r.render(&p);
    return obraz;
}

TEST(Obrazky, QrcUvadiKazdyObrazekPodJehoJmenem) {
    QString prefix;
    const auto soubory = souboryQrc(&prefix);
    EXPECT_EQ(prefix, "/images");
    std::set<QString> ocekavane(std::begin(obrazky), std::end(obrazky));
    std::set<QString> aliasy;
    for (const auto& [alias, soubor] : soubory) {
        SCOPED_TRACE(alias.toStdString());
        aliasy.insert(alias);
        EXPECT_EQ(QFileInfo(soubor).fileName(), alias);
        EXPECT_TRUE(QFileInfo::exists(adresarZdroju() + "/" + soubor)) << soubor.toStdString();
    }
    EXPECT_EQ(aliasy, ocekavane);
}

TEST(Obrazky, KazdyObrazekSeNactePlatnyANeniPrazdny) {
    QString prefix;
    const auto soubory = souboryQrc(&prefix);
    ASSERT_FALSE(soubory.empty());
    for (const auto& [alias, soubor] : soubory) {
        SCOPED_TRACE(alias.toStdString());
        const QString plna = adresarZdroju() + "/" + soubor;
        QSvgRenderer r(plna);
        ASSERT_TRUE(r.isValid());
        // Toolbar, list and flag images are drawn on the 16 px grid; the icon only has to be
        // square.
        if (alias == "vantrel.svg")
            EXPECT_EQ(r.viewBoxF().width(), r.viewBoxF().height());
        else
            EXPECT_EQ(r.viewBoxF(), QRectF(0, 0, 16, 16));
        const QImage obraz = vykresli(plna, 16);
        int kryte = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                kryte += qAlpha(obraz.pixel(x, y)) > 128;
        EXPECT_GE(kryte, 20) << "the image draws (almost) nothing";
    }
}

// Coarse colour of a pixel, enough to tell the bands of a flag apart.
char barva(QRgb p) {
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    if (qAlpha(p) < 40)
        return '-';
    if (r > 200 && g > 200 && b > 200)
        return 'W';
    if (r < 60 && g < 60 && b < 60)
        return 'K';
    if (r > 200 && g > 150 && b < 80)
        return 'Y';
    if (r > 150 && g < 100 && b < 100)
        return 'R';
    if (b > 80 && r < 80)
        return 'B';
    if (g > r + 40 && g > b + 20)
        return 'G';
    return '?';
}

struct Sonda {
    const char* soubor;
    int x, y; // pixel on the 16 px grid
    char barva;
};

// A few pixels per image that a swapped band, a mirrored flag or a wrong colour would change.
const Sonda sondy[] = {
    {"flag-cz.svg", 12, 4, 'W'},
    {"flag-cz.svg", 12, 11, 'R'},
    {"flag-cz.svg", 2, 8, 'B'},
    {"flag-sk.svg", 12, 4, 'W'},
    {"flag-sk.svg", 12, 7, 'B'},
    {"flag-sk.svg", 12, 11, 'R'},
    {"flag-sk.svg", 3, 6, 'R'},
    {"flag-de.svg", 8, 4, 'K'},
    {"flag-de.svg", 8, 7, 'R'},
    {"flag-de.svg", 8, 11, 'Y'},
    {"flag-fr.svg", 3, 8, 'B'},
    {"flag-fr.svg", 8, 8, 'W'},
    {"flag-fr.svg", 12, 8, 'R'},
    {"flag-es.svg", 10, 3, 'R'},
    {"flag-es.svg", 10, 8, 'Y'},
    {"flag-es.svg", 10, 12, 'R'},
    {"flag-gb.svg", 8, 8, 'R'},
    {"flag-gb.svg", 4, 3, 'B'},
    {"flag-gb.svg", 11, 3, 'B'},
    {"flag-gb.svg", 2, 7, 'R'},
    {"flag-gb.svg", 8, 1, '-'},
    {"exit.svg", 7, 7, 'R'},
    {"add.svg", 7, 7, 'G'},
    {"add.svg", 3, 3, '-'},
    {"remove.svg", 7, 7, 'R'},
    {"remove.svg", 7, 3, '-'},
    {"remove-all.svg", 7, 2, 'R'},
    {"remove-all.svg", 7, 5, '-'},
    {"remove-all.svg", 7, 12, 'R'},
    {"join.svg", 4, 7, 'B'},
    {"about.svg", 6, 3, 'B'},
    {"about.svg", 8, 9, 'W'},
    {"state-waiting.svg", 6, 2, 'W'},
    {"state-joined.svg", 6, 11, 'G'},
    {"state-joined.svg", 12, 12, '-'},
};

TEST(Obrazky, BarvyNaSvychMistech) {
    for (const Sonda& s : sondy) {
        SCOPED_TRACE(std::string(s.soubor) + " " + std::to_string(s.x) + "," + std::to_string(s.y));
        // Drawn at 64 px and sampled in the middle of the 16 px cell, away from soft edges.
        const QImage obraz = vykresli(adresarZdroju() + "/images/" + s.soubor, 64);
        EXPECT_EQ(barva(obraz.pixel(s.x * 4 + 2, s.y * 4 + 2)), s.barva);
    }
}

} // namespace
} // namespace vantrel
