#include "lang/FormularQt.h"
#include "lang/JazykyXML.h"
#include "lang/XmlDokument.h"
#include "lang/Znacky.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

using namespace vantrel;

namespace {

// A window holding every supported kind, each marked, built in code as the program's windows.
struct TestOkno {
    QWidget okno;
    QGroupBox* skupina;
    QPushButton* tlacitko;
    QPushButton* obrazkove;
    QLabel* popisek;
    QAction* akce;
    QMenu* menu;
    QTabWidget* zalozky;
    QWidget* stranka;
    QGroupBox* skupinaStranka;
    QTreeWidget* seznam;
    QToolButton* plochy;
    QToolButton* neplochy;
    QCheckBox* zaskrtavatko;
    QComboBox* kombo;
    QRadioButton* prepinac;
    QListWidget* zaskrtavaci;
    QListWidget* obycejny;
    QLabel* neoznaceny;

    TestOkno() {
        okno.setObjectName("TestForm");
        okno.setWindowTitle("Titulek");
        auto* rozvrzeni = new QVBoxLayout(&okno);

        skupina = Pridej<QGroupBox>(rozvrzeni, "grpSkupina");
        skupina->setTitle("Skupina");
        // Nested inside the group box, so it comes right after it in creation order.
        tlacitko = new QPushButton("Tlačítko", skupina);
        Oznac(tlacitko, "btnTlacitko");

        obrazkove = Pridej<QPushButton>(rozvrzeni, "btnObrazek");
        obrazkove->setText("Obrázek");
        QPixmap obrazek(16, 16);
        obrazek.fill(Qt::red);
        obrazkove->setIcon(QIcon(obrazek));

        popisek = Pridej<QLabel>(rozvrzeni, "lblPopis");
        popisek->setText("Popis");

        akce = new QAction("Konec", &okno);
        Oznac(akce, "aKonec");

        menu = new QMenu("Soubor", &okno);
        Oznac(menu, "mnuSoubor");

        zalozky = Pridej<QTabWidget>(rozvrzeni, "tabZalozky");
        stranka = new QWidget;
        Oznac(stranka, "tsStranka");
        zalozky->addTab(stranka, "Stránka");
        // A group box placed as a page: a title of its own besides its tab's.
        skupinaStranka = new QGroupBox("Rámeček");
        Oznac(skupinaStranka, "grpStranka");
        zalozky->addTab(skupinaStranka, "Druhá stránka");

        seznam = Pridej<QTreeWidget>(rozvrzeni, "livSeznam");
        seznam->setHeaderLabels({"Název", "Velikost", "Datum", "Typ"});
        for (int i = 0; i < 4; ++i)
            NastavZnackuSloupce(seznam, i, i == 2 ? 0 : ZnackaPreklad);

        plochy = Pridej<QToolButton>(rozvrzeni, "tbPlochy");
        plochy->setText("Plochý");
        plochy->setAutoRaise(true);
        neplochy = Pridej<QToolButton>(rozvrzeni, "tbNeplochy");
        neplochy->setText("Neplochý");

        zaskrtavatko = Pridej<QCheckBox>(rozvrzeni, "chkVolba");
        zaskrtavatko->setText("Volba");

        kombo = Pridej<QComboBox>(rozvrzeni, "cbxVyber");
        kombo->addItems({"Jedna", "Dvě", "Tři"});

        prepinac = Pridej<QRadioButton>(rozvrzeni, "rbPrepinac");
        prepinac->setText("Přepínač");

        zaskrtavaci = Pridej<QListWidget>(rozvrzeni, "clbSeznam");
        for (const char* text : {"První", "Druhá"}) {
            auto* polozka = new QListWidgetItem(QString::fromUtf8(text), zaskrtavaci);
            polozka->setFlags(polozka->flags() | Qt::ItemIsUserCheckable);
            polozka->setCheckState(Qt::Unchecked);
        }
        obycejny = Pridej<QListWidget>(rozvrzeni, "lbObycejny");
        obycejny->addItems({"Prostá"});

        neoznaceny = new QLabel("Neoznačený", &okno);
        neoznaceny->setObjectName("lblNeoznaceny");
    }

    template <class T> T* Pridej(QVBoxLayout* rozvrzeni, const char* jmeno) {
        auto* w = new T(&okno);
        Oznac(w, jmeno);
        rozvrzeni->addWidget(w);
        return w;
    }
    static void Oznac(QObject* o, const char* jmeno) {
        o->setObjectName(jmeno);
        NastavZnacku(o, ZnackaPreklad);
    }
};

QByteArray Polozka(const char* klic, const char* en, const char* de = nullptr) {
    QByteArray x = QByteArray("<") + klic + "><EN>" + en + "</EN>";
    if (de)
        x += QByteArray("<DE>") + de + "</DE>";
    return x + "</" + klic + ">";
}

QByteArray Soubor(const QByteArray& polozky) {
    return "<?xml version=\"1.0\"?><vtrl><TestForm>" + polozky + "</TestForm></vtrl>";
}

const QByteArray VsechnyPolozky =
    Polozka("TestForm", "Title", "Titel") + Polozka("grpSkupina", "Group") +
    Polozka("btnTlacitko", "Button", "Knopf") + Polozka("btnObrazek", "Picture") +
    Polozka("btnObrazek-H", "Picture hint") + Polozka("lblPopis", "Description") +
    Polozka("aKonec", "Exit", "Ende") + Polozka("mnuSoubor", "File") +
    Polozka("tsStranka", "Page") + Polozka("grpStranka", "Framed page") +
    Polozka("livSeznam0", "Name") + Polozka("livSeznam1", "Size") + Polozka("livSeznam2", "Date") +
    Polozka("livSeznam3", "Type") + Polozka("tbPlochy", "Flat") +
    Polozka("tbNeplochy", "Not flat") + Polozka("chkVolba", "Option") +
    Polozka("cbxVyber0", "One") + Polozka("cbxVyber2", "Three") + Polozka("rbPrepinac", "Switch") +
    Polozka("clbSeznam0", "First") + Polozka("clbSeznam1", "Second") +
    Polozka("lbObycejny0", "Plain") + Polozka("lblNeoznaceny", "Unmarked");

class PrelozFormularTest : public ::testing::Test {
protected:
    void Nacti(const QByteArray& polozky, const char* kod = "EN") {
        dokument = ParsujDokumentJazyka(Soubor(polozky), "test");
        jazyk.Dokument = &dokument;
        jazyk.KodJazyka = QString::fromUtf8(kod).toStdU16String();
    }
    TDokumentJazyka dokument;
    TJazykXML jazyk;
    TestOkno t;
};

TEST_F(PrelozFormularTest, EveryKindGetsItsTexts) {
    NastavZnacku(&t.okno, ZnackaPreklad);
    Nacti(VsechnyPolozky);
    PrelozFormular(jazyk, t.okno);

    struct Pripad {
        const char* popis;
        std::function<QString()> hodnota;
        const char* ocekavano;
    };
    const Pripad pripady[] = {
        {"title", [&] { return t.okno.windowTitle(); }, "Title"},
        {"group box", [&] { return t.skupina->title(); }, "Group"},
        {"push button", [&] { return t.tlacitko->text(); }, "Button"},
        {"bitmap button", [&] { return t.obrazkove->text(); }, "Picture"},
        {"label", [&] { return t.popisek->text(); }, "Description"},
        {"action", [&] { return t.akce->text(); }, "Exit"},
        {"menu", [&] { return t.menu->title(); }, "File"},
        {"tab page", [&] { return t.zalozky->tabText(0); }, "Page"},
        {"group box as a page: its title", [&] { return t.skupinaStranka->title(); },
         "Framed page"},
        {"group box as a page: its tab", [&] { return t.zalozky->tabText(1); }, "Framed page"},
        {"column 0", [&] { return t.seznam->headerItem()->text(0); }, "Name"},
        {"column 1", [&] { return t.seznam->headerItem()->text(1); }, "Size"},
        {"unmarked column 2", [&] { return t.seznam->headerItem()->text(2); }, "Datum"},
        {"column 3 counts the skipped one", [&] { return t.seznam->headerItem()->text(3); },
         "Type"},
        {"flat tool button", [&] { return t.plochy->text(); }, "Flat"},
        {"tool button that is not flat", [&] { return t.neplochy->text(); }, "Neplochý"},
        {"check box", [&] { return t.zaskrtavatko->text(); }, "Option"},
        {"combo item 0", [&] { return t.kombo->itemText(0); }, "One"},
        {"combo item 1 without entry", [&] { return t.kombo->itemText(1); }, "Dvě"},
        {"combo item 2", [&] { return t.kombo->itemText(2); }, "Three"},
        {"radio button", [&] { return t.prepinac->text(); }, "Switch"},
        {"check list item 0", [&] { return t.zaskrtavaci->item(0)->text(); }, "First"},
        {"check list item 1", [&] { return t.zaskrtavaci->item(1)->text(); }, "Second"},
        {"plain list item", [&] { return t.obycejny->item(0)->text(); }, "Prostá"},
        {"unmarked label", [&] { return t.neoznaceny->text(); }, "Neoznačený"},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        EXPECT_EQ(p.hodnota(), QString::fromUtf8(p.ocekavano));
    }
}

TEST_F(PrelozFormularTest, UnmarkedWindowTitleIsNeverLookedUp) {
    Nacti(VsechnyPolozky);
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(t.okno.windowTitle(), QStringLiteral("Titulek"));
    EXPECT_EQ(t.popisek->text(), QStringLiteral("Description"));
}

TEST_F(PrelozFormularTest, DialogsOwnedByTheWindowAreNotPartOfIt) {
    // A dialog parented to the window, as the program's dialogs are to the main window.
    auto* dialog = new QDialog(&t.okno);
    auto* tlacitko = new QPushButton(QStringLiteral("Tlačítko"), dialog);
    TestOkno::Oznac(tlacitko, "btnTlacitko");
    Nacti(VsechnyPolozky);
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(tlacitko->text(), QStringLiteral("Tlačítko"));
    EXPECT_EQ(t.tlacitko->text(), QStringLiteral("Button"));
    EXPECT_EQ(t.menu->title(), QStringLiteral("File"));
}

TEST_F(PrelozFormularTest, WithoutDocumentNothingChanges) {
    NastavHint(t.tlacitko, "Nápověda");
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(t.tlacitko->text(), QStringLiteral("Tlačítko"));
    EXPECT_EQ(Hint(t.tlacitko), QStringLiteral("Nápověda"));
}

TEST_F(PrelozFormularTest, ActionHintRule) {
    struct Pripad {
        const char* popis;
        const char* puvodni; // hint before the pass
        const char* polozka; // text of aKonec-H, or nullptr for no entry
        const char* hint;
        const char* tooltip;
        const char* statusTip;
    };
    const Pripad pripady[] = {
        {"no hint, no entry", "", nullptr, "Exit|", "Exit", ""},
        {"built-in hint, no entry", "Ukončení aplikace|", nullptr, "Ukončení aplikace|",
         "Ukončení aplikace", ""},
        {"entry ending in |", "Ukončení aplikace|", "Quits|", "Quits|", "Quits", ""},
        {"entry without final |", "Ukončení aplikace|", "Quits the program",
         "Exit|Quits the program", "Exit", "Quits the program"},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        TestOkno okno;
        NastavHint(okno.akce, QString::fromUtf8(p.puvodni));
        QByteArray polozky = Polozka("aKonec", "Exit");
        if (p.polozka)
            polozky += Polozka("aKonec-H", p.polozka);
        Nacti(polozky);
        PrelozFormular(jazyk, okno.okno);
        EXPECT_EQ(Hint(okno.akce), QString::fromUtf8(p.hint));
        EXPECT_EQ(okno.akce->toolTip(), QString::fromUtf8(p.tooltip));
        EXPECT_EQ(okno.akce->statusTip(), QString::fromUtf8(p.statusTip));
    }
}

// Hint rule A for a label (one visual-control pass, one label pass, both with the same key).
TEST_F(PrelozFormularTest, ControlHintFollowsShowHint) {
    Nacti(Polozka("lblPopis-H", "Tip"));
    NastavHint(t.popisek, "Nápověda");
    NastavHint(t.neplochy, "Nápověda");
    NastavZobrazHint(t.neplochy, false);
    PrelozFormular(jazyk, t.okno);

    EXPECT_EQ(Hint(t.popisek), QStringLiteral("Tip|"));
    EXPECT_EQ(t.popisek->toolTip(), QStringLiteral("Tip"));
    EXPECT_EQ(t.popisek->statusTip(), QString());

    // Tooltips off: the text becomes the long hint only; with no entry the old hint is the text.
    EXPECT_EQ(Hint(t.neplochy), QStringLiteral("|Nápověda"));
    EXPECT_EQ(t.neplochy->toolTip(), QString());
    EXPECT_EQ(t.neplochy->statusTip(), QStringLiteral("Nápověda"));

    // An empty hint is not looked up at all.
    Nacti(Polozka("chkVolba-H", "Tip"));
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(Hint(t.zaskrtavatko), QString());
}

// Texts of the language file are character data: markup in a translation is shown as it stands
// (a label or tooltip that read it would load a local image).
TEST_F(PrelozFormularTest, TranslationsAreNeverMarkup) {
    const QString znacky = QStringLiteral("<img src=\"/etc/passwd\"> <b>bold</b>");
    Nacti(Polozka("lblPopis", "&lt;img src=\"/etc/passwd\"&gt; &lt;b&gt;bold&lt;/b&gt;") +
          Polozka("btnObrazek-H", "&lt;img src=\"/etc/passwd\"&gt; &lt;b&gt;bold&lt;/b&gt;"));
    NastavHint(t.obrazkove, "Nápověda|");
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(t.popisek->text(), znacky);
    EXPECT_EQ(t.popisek->textFormat(), Qt::PlainText);
    // What the tooltip shows is the text itself.
    QTextDocument tip;
    if (Qt::mightBeRichText(t.obrazkove->toolTip()))
        tip.setHtml(t.obrazkove->toolTip());
    else
        tip.setPlainText(t.obrazkove->toolTip());
    EXPECT_EQ(tip.toPlainText(), znacky);
}

// How many hint passes each kind gets shows which kinds it counts as: with no entry each pass
// appends one "|".
TEST_F(PrelozFormularTest, KindsDoNotCountAsOthers) {
    struct Pripad {
        const char* popis;
        QWidget* w;
        const char* hint;
    };
    const Pripad pripady[] = {
        {"radio button is not a push button", t.prepinac, "h|"},
        {"check box", t.zaskrtavatko, "h|"},
        {"combo box", t.kombo, "h|"},
        {"plain list is not a check list box", t.obycejny, "h|"},
        {"check list box", t.zaskrtavaci, "h||"},
        {"push button", t.tlacitko, "h||"},
        {"bitmap button is a push button too", t.obrazkove, "h|||"},
        {"tool button that is not flat", t.neplochy, "h|"},
        {"flat tool button", t.plochy, "h||"},
    };
    for (const Pripad& p : pripady)
        NastavHint(p.w, "h");
    Nacti(Polozka("nic", "nic"));
    PrelozFormular(jazyk, t.okno);
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        EXPECT_EQ(Hint(p.w), QString::fromUtf8(p.hint));
    }
}

TEST_F(PrelozFormularTest, BitmapButtonTranslatedTwiceEndsAsOnce) {
    NastavHint(t.obrazkove, "Obrázek|");
    Nacti(Polozka("btnObrazek", "Picture") + Polozka("btnObrazek-H", "Picture hint"));
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(t.obrazkove->text(), QStringLiteral("Picture"));
    EXPECT_EQ(Hint(t.obrazkove), QStringLiteral("Picture hint|"));
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(t.obrazkove->text(), QStringLiteral("Picture"));
    EXPECT_EQ(Hint(t.obrazkove), QStringLiteral("Picture hint|"));
}

TEST_F(PrelozFormularTest, ListViewHintUnderBareName) {
    NastavHint(t.seznam, "Seznam");
    Nacti(Polozka("livSeznam", "List") + Polozka("livSeznam-H", "wrong key"));
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(Hint(t.seznam), QStringLiteral("|List"));
}

TEST_F(PrelozFormularTest, SwitchKeepsPreviousLanguageWhereEntriesLack) {
    NastavZnacku(&t.okno, ZnackaPreklad);
    Nacti(VsechnyPolozky, "EN");
    PrelozFormular(jazyk, t.okno);
    jazyk.KodJazyka = u"DE";
    PrelozFormular(jazyk, t.okno);
    EXPECT_EQ(t.okno.windowTitle(), QStringLiteral("Titel"));
    EXPECT_EQ(t.tlacitko->text(), QStringLiteral("Knopf"));
    EXPECT_EQ(t.akce->text(), QStringLiteral("Ende"));
    EXPECT_EQ(t.popisek->text(), QStringLiteral("Description"));
    EXPECT_EQ(t.seznam->headerItem()->text(0), QStringLiteral("Name"));
}

// The group box and its button come first, the label later: a faulty entry of the button ends
// the pass after the group box.
TEST_F(PrelozFormularTest, FailureKeepsWhatWasDoneBefore) {
    Nacti(Polozka("grpSkupina", "Group") + Polozka("btnTlacitko", "<b>x</b>") +
          Polozka("lblPopis", "Description"));
    try {
        PrelozFormular(jazyk, t.okno);
        ADD_FAILURE() << "no error";
    } catch (const EChybaJazyka& e) {
        EXPECT_STREQ(e.what(), "Element does not contain a single text node");
    }
    EXPECT_EQ(t.skupina->title(), QStringLiteral("Group"));
    EXPECT_EQ(t.tlacitko->text(), QStringLiteral("Tlačítko"));
    EXPECT_EQ(t.popisek->text(), QStringLiteral("Popis"));
}

TEST(Znacky, HintHelpers) {
    QLabel w;
    EXPECT_EQ(Znacka(&w), 0);
    EXPECT_TRUE(ZobrazHint(&w));
    NastavHint(&w, "krátký|dlouhý|ještě");
    EXPECT_EQ(w.toolTip(), QStringLiteral("krátký"));
    EXPECT_EQ(w.statusTip(), QStringLiteral("dlouhý|ještě"));
    NastavHint(&w, "celý");
    EXPECT_EQ(w.toolTip(), QStringLiteral("celý"));
    EXPECT_EQ(w.statusTip(), QStringLiteral("celý"));
    NastavZobrazHint(&w, false);
    EXPECT_EQ(w.toolTip(), QString());
    EXPECT_EQ(Hint(&w), QStringLiteral("celý"));

    // A tooltip set without the helper still counts as the hint.
    QLabel jiny;
    jiny.setToolTip("tip");
    EXPECT_EQ(Hint(&jiny), QStringLiteral("tip|"));
    jiny.setStatusTip("tip");
    EXPECT_EQ(Hint(&jiny), QStringLiteral("tip"));
    jiny.setStatusTip("dlouhý");
    EXPECT_EQ(Hint(&jiny), QStringLiteral("tip|dlouhý"));
}

} // namespace
