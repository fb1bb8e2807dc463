#include "HlavniFormTest.h"

#include "../platforma/posix/PoruchyRegistru.h"
#include "app/ChybaAplikace.h"
#include "lang/fJazyk.h"
#include "support/SoubUtility.h"
#include "support/fOAplikaci.h"
#include "tests/Pismo.h"

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <map>
#include <set>

namespace vantrel {
namespace {

using namespace test;

TEST_F(HlavniFormTest, FirstStartUsesTheDesign) {
    auto okno = Vytvor();
    Zobraz(*okno);
    EXPECT_EQ(okno->windowTitle(), "Vantrel");
    // The designed client area with the frame is below the minimum outer size.
    EXPECT_EQ(okno->frameGeometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(sluzby_.Jazyk.KodJazyka, u"CZ");
    EXPECT_EQ(okno->IndexObrazkuJazyka(), 6);
    EXPECT_EQ(okno->StatusPanel0->text(), QString::fromUtf8("Počet souborů: 0"));
    EXPECT_TRUE(okno->StatusPanel1->text().isEmpty());
    EXPECT_TRUE(okno->aPridat->isEnabled());
    EXPECT_FALSE(okno->aSmazat->isEnabled());
    EXPECT_FALSE(okno->aSmazatVse->isEnabled());
    EXPECT_FALSE(okno->aSpojit->isEnabled());
    QStringList sloupce;
    for (int i = 0; i < okno->livSoubory->columnCount(); ++i)
        sloupce << okno->livSoubory->headerItem()->text(i);
    EXPECT_EQ(sloupce,
              QStringList({QString::fromUtf8("Název souboru"), "Velikost", "Datum", "Typ"}));
}

TEST_F(HlavniFormTest, ToolbarTooltipsNameTheShortcut) {
    auto okno = Vytvor();
    const struct {
        QAction* akce;
        const char* tooltip;
        const char* naListe;
    } ocekavane[] = {
        {okno->aKonec, "Ukončení aplikace (F4)", "&Konec"},
        {okno->aPridat, "Přidá jeden nebo více souborů do seznamu (Ins)", "&Přidat..."},
        {okno->aSmazat, "Odstraní vybrané soubory ze seznamu (Del)", "&Smazat"},
        {okno->aSmazatVse, "Odstraní všechny soubory ze seznamu (Shift+Del)", "S&mazat vše"},
        {okno->aSpojit, "Spojí textové soubory v seznamu do jednoho souboru (F9)", "Sp&ojit"},
        {okno->aJazyk, "Umožní zvolit jazyk prostředí aplikace (Ctrl+J)", "&Jazyk..."},
        {okno->aOAplikaci, "Zobrazí informace o aplikaci (F1)", "O &aplikaci..."},
    };
    for (const auto& o : ocekavane) {
        SCOPED_TRACE(o.tooltip);
        auto* tlacitko = qobject_cast<QToolButton*>(okno->ActionToolBar1->widgetForAction(o.akce));
        ASSERT_NE(tlacitko, nullptr);
        EXPECT_EQ(tlacitko->toolTip(), QString::fromUtf8(o.tooltip));
        EXPECT_EQ(tlacitko->text(), QString::fromUtf8(o.naListe));
        EXPECT_EQ(tlacitko->toolTipDuration(), 2500);
    }
}

TEST_F(HlavniFormTest, EveryActionStaysOnTheToolbar) {
    const QString jazyk = Soubor("vtrl.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<vtrl><HlavniForm>
  <aPridat><XX>Eine sehr lange Beschriftung zum Hinzufügen...</XX></aPridat>
  <aSpojit><XX>Noch eine sehr lange Beschriftung</XX></aSpojit>
</HlavniForm></vtrl>)");
    auto okno = Vytvor(jazyk);
    Zobraz(*okno);
    EXPECT_EQ(okno->ActionToolBar1->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    sluzby_.Jazyk.KodJazyka = u"XX";
    okno->NastavJazyk();
    // Captions that would push actions out of sight give way to the images alone.
    EXPECT_EQ(okno->ActionToolBar1->toolButtonStyle(), Qt::ToolButtonIconOnly);
    for (QAction* akce : {okno->aKonec, okno->aOAplikaci}) {
        QWidget* tlacitko = okno->ActionToolBar1->widgetForAction(akce);
        ASSERT_NE(tlacitko, nullptr);
        EXPECT_LE(tlacitko->geometry().right(), okno->ActionToolBar1->width());
    }
    okno->resize(1600, 600);
    QApplication::processEvents();
    EXPECT_EQ(okno->ActionToolBar1->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
}

// The width the toolbar needs to show every caption beside its image.
int SirkaSPopisky(QToolBar* lista) {
    const Qt::ToolButtonStyle styl = lista->toolButtonStyle();
    lista->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const int sirka = lista->layout()->sizeHint().width();
    lista->setToolButtonStyle(styl);
    return sirka;
}

// The shipped languages at the narrowest window, with the desktop's font and larger ones: the
// designed sizes grow with the font as far as the screen holds them, so every caption shows,
// beside its image where the grown minimum fits the screen, each with its own access key; the
// count panel shows its whole text, and a join report leaves room for the file's name and size.
TEST_F(HlavniFormTest, ShippedLanguagesShowEveryCaption) {
    const char* const kody[] = {"CZ", "EN", "SK", "DE", "FR", "ES"};
    const QSize plocha = QGuiApplication::primaryScreen()->availableGeometry().size();
    for (const double nasobek : {1.0, 1.25, 1.5, 2.0}) {
        TPismo pismo(nasobek);
        ASSERT_EQ(QFontInfo(QApplication::font()).family(), "DejaVu Sans");
        const int sirka = qRound(640 * pismo.Meritko());
        for (const char* kod : kody) {
            SCOPED_TRACE(QStringLiteral("%1 at %2x").arg(kod).arg(nasobek).toStdString());
            auto okno = Vytvor(QStringLiteral(VTRL_XML));
            sluzby_.Jazyk.KodJazyka = QString::fromLatin1(kod).toStdU16String();
            Zobraz(*okno);
            ASSERT_EQ(okno->frameGeometry().width(), std::min(sirka, plocha.width()));
            QToolBar* lista = okno->ActionToolBar1;
            EXPECT_EQ(lista->toolButtonStyle(), sirka <= plocha.width()
                                                    ? Qt::ToolButtonTextBesideIcon
                                                    : Qt::ToolButtonTextUnderIcon)
                << "needs " << SirkaSPopisky(lista) << " px of " << okno->width();
            std::set<QKeySequence> klavesy;
            for (QAction* akce : lista->actions()) {
                auto* tlacitko = qobject_cast<QToolButton*>(lista->widgetForAction(akce));
                if (tlacitko == nullptr)
                    continue;
                SCOPED_TRACE(tlacitko->text().toStdString());
                EXPECT_TRUE(tlacitko->isVisibleTo(lista));
                EXPECT_LE(tlacitko->geometry().right(), lista->contentsRect().right());
                const QKeySequence klavesa = QKeySequence::mnemonic(tlacitko->text());
                EXPECT_FALSE(klavesa.isEmpty()) << "no access key";
                EXPECT_TRUE(klavesa.isEmpty() || klavesy.insert(klavesa).second)
                    << "access key taken";
            }
            EXPECT_EQ(klavesy.size(), 7u);
            const TPanelStavu* pocet = okno->StatusPanel0;
            EXPECT_EQ(pocet->ZobrazenyText(), pocet->text());
            EXPECT_LE(pocet->fontMetrics().horizontalAdvance(pocet->text()),
                      pocet->contentsRect().width());
            okno->StatusPanel1->NastavText(
                QString::fromStdU16String(convar::rsSPOJENO) + QStringLiteral(": "),
                QStringLiteral("vysledek.txt"),
                u' ' + QString::fromStdU16String(TextVelikosti(qint64(4) << 30, true)));
            QApplication::processEvents();
            EXPECT_EQ(okno->StatusPanel1->ZobrazenyText(), okno->StatusPanel1->text());
        }
    }
}

TEST_F(HlavniFormTest, StoredPlacementIsApplied) {
    UlozHodnoty({{"IndexObrazku", 8}, {"Maximalni", 0}, {"Vlevo", 100}}, {{"Jazyk", "SK"}});
    auto okno = Vytvor();
    Zobraz(*okno);
    EXPECT_EQ(sluzby_.Jazyk.KodJazyka, u"SK");
    EXPECT_EQ(okno->IndexObrazkuJazyka(), 8);
    EXPECT_EQ(okno->pos(), QPoint(100, 0));
}

// A stored placement is applied as read when it fits between the minimum and the screen. A size
// is raised or reduced where not, and a window whose size changed so, or that lies off the
// screen, comes wholly onto it, whatever the stored numbers; the close then stores what the
// window really had.
TEST_F(HlavniFormTest, StoredPlacementsStayWithinTheMinimumAndTheScreen) {
    const QRect plocha = QGuiApplication::primaryScreen()->availableGeometry();
    const int nejvic = 0x7fffffff, nejmene = -0x7fffffff - 1;
    const struct {
        int vlevo, nahore, sirka, vyska;
        QRect ocekavane;
    } pripady[] = {
        {0, 0, 100, 100, {0, 0, 640, 480}},
        {0, 0, 700, 500, {0, 0, 700, 500}},
        {0, 0, -5, 555, {0, 0, 640, 555}},
        {0, 0, 20000, 20000, plocha},
        {0, 0, nejvic, nejvic, plocha},
        {300, 200, nejvic, nejvic, plocha},
        {100, 200, 640, nejvic, {100, 0, 640, plocha.height()}},
        {0x7ffffe40, 0x7ffffe40, 640, 480, {plocha.right() - 639, plocha.bottom() - 479, 640, 480}},
        {nejmene, nejmene, nejvic, nejvic, plocha},
        {nejvic, nejvic, nejvic, nejvic, plocha},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(testing::Message()
                     << p.vlevo << "," << p.nahore << " " << p.sirka << "x" << p.vyska);
        UlozHodnoty(
            {{"Vlevo", p.vlevo}, {"Nahore", p.nahore}, {"Vyska", p.vyska}, {"Sirka", p.sirka}});
        {
            auto okno = Vytvor();
            Zobraz(*okno);
            EXPECT_EQ(okno->frameGeometry(), p.ocekavane);
            okno->close();
        }
        TRegistr registr;
        ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, false));
        EXPECT_EQ(QRect(registr.ReadInteger("Vlevo"), registr.ReadInteger("Nahore"),
                        registr.ReadInteger("Sirka"), registr.ReadInteger("Vyska")),
                  p.ocekavane);
    }
}

// Starts and closes without a move leave a stored placement as it was, and a first start stores
// the designed place and the minimum outer size. Where the platform does not tell the window's
// position (Wayland), the stored position stays as it was, none after a first start; a frame
// that the program draws itself counts once in the outer size.
TEST_F(HlavniFormTest, StartsAndClosesLeaveThePlacementAsItWas) {
    const bool poziceZnama = !QGuiApplication::platformName().startsWith("wayland");
    using THodnoty = std::map<std::string, int>;
    const struct {
        const char* popis;
        THodnoty ulozene;
        QPoint pozice; // stored after the closes where the position is known
        QSize velikost;
    } pripady[] = {
        {"first start", {}, {0, 0}, {640, 480}},
        {"a stored placement",
         {{"Vlevo", 123}, {"Nahore", 87}, {"Vyska", 555}, {"Sirka", 777}},
         {123, 87},
         {777, 555}},
        {"a stored size alone", {{"Vyska", 500}, {"Sirka", 700}}, {0, 0}, {700, 500}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        QFile::remove(QString::fromStdString(TRegistr::VychoziUmisteni()));
        {
            TRegistr registr;
            ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, true));
            for (const auto& [jmeno, hodnota] : p.ulozene)
                registr.WriteInteger(jmeno, hodnota);
        }
        for (int start = 1; start <= 3; ++start) {
            SCOPED_TRACE(start);
            auto okno = Vytvor();
            Zobraz(*okno);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(okno.get()));
            QApplication::processEvents();
            EXPECT_EQ(okno->frameGeometry().size(), p.velikost);
            okno->close();
        }
        TRegistr registr;
        ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, false));
        EXPECT_EQ(QSize(registr.ReadInteger("Sirka"), registr.ReadInteger("Vyska")), p.velikost);
        THodnoty pozice;
        for (const char* jmeno : {"Vlevo", "Nahore"}) {
            if (registr.ValueExists(jmeno))
                pozice[jmeno] = registr.ReadInteger(jmeno);
        }
        THodnoty ocekavana;
        if (poziceZnama)
            ocekavana = {{"Vlevo", p.pozice.x()}, {"Nahore", p.pozice.y()}};
        else if (p.ulozene.count("Vlevo") != 0)
            ocekavana = {{"Vlevo", p.ulozene.at("Vlevo")}, {"Nahore", p.ulozene.at("Nahore")}};
        EXPECT_EQ(pozice, ocekavana);
    }
}

TEST_F(HlavniFormTest, MaximisedCloseKeepsTheEarlierPlacement) {
    UlozHodnoty({{"Maximalni", 1}, {"Vlevo", 11}, {"Nahore", 22}, {"Vyska", 600}, {"Sirka", 800}});
    {
        auto okno = Vytvor();
        Zobraz(*okno);
        EXPECT_TRUE(okno->isMaximized());
        okno->aKonec->trigger();
    }
    TRegistr registr;
    ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, false));
    EXPECT_EQ(registr.ReadInteger("Maximalni"), 1);
    EXPECT_EQ(registr.ReadInteger("Vlevo"), 11);
    EXPECT_EQ(registr.ReadInteger("Sirka"), 800);
}

TEST_F(HlavniFormTest, ClosingWritesTheSettings) {
    for (int zpusob = 0; zpusob < 2; ++zpusob) {
        SCOPED_TRACE(zpusob == 0 ? "aKonec" : "close button");
        int sirka = 0, vyska = 0;
        {
            auto okno = Vytvor();
            Zobraz(*okno);
            okno->move(40 + zpusob, 30);
            okno->resize(700, 500);
            // Stored as the outer size, frame included.
            sirka = okno->frameGeometry().width();
            vyska = okno->frameGeometry().height();
            sluzby_.Jazyk.KodJazyka = zpusob == 0 ? u"EN" : u"DE";
            okno->NastavIndexObrazkuJazyka(7 + zpusob);
            if (zpusob == 0)
                okno->aKonec->trigger();
            else
                okno->close();
            EXPECT_FALSE(okno->isVisible());
        }
        TRegistr registr;
        ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, false));
        EXPECT_EQ(registr.ReadString("Jazyk"), zpusob == 0 ? "EN" : "DE");
        EXPECT_EQ(registr.ReadInteger("IndexObrazku"), 7 + zpusob);
        EXPECT_EQ(registr.ReadInteger("Maximalni"), 0);
        EXPECT_EQ(registr.ReadInteger("Vlevo"), 40 + zpusob);
        EXPECT_EQ(registr.ReadInteger("Nahore"), 30);
        EXPECT_EQ(registr.ReadInteger("Sirka"), sirka);
        EXPECT_EQ(registr.ReadInteger("Vyska"), vyska);
    }
}

TEST_F(HlavniFormTest, AValueOfTheWrongTypeStopsTheReading) {
    UlozHodnoty({{"IndexObrazku", 9}, {"Maximalni", 0}, {"Nahore", 50}, {"Sirka", 900}},
                {{"Jazyk", "FR"}, {"Vlevo", "vlevo"}});
    TVidenyBox box;
    TScenar scenar({Zaznamenej(box, QMessageBox::Ok)});
    auto okno = Vytvor();
    ASSERT_TRUE(box.videny);
    EXPECT_EQ(box.titulek, "Chyba");
    // The carriage return in the text starts a new line of the box.
    EXPECT_EQ(box.text, QString::fromUtf8("Při čtení hodnot nastavení z registru došlo k chybě.\n"
                                          "(Invalid data type for 'Vlevo'.)"));
    // Read before the faulty value: applied; after it: not read.
    EXPECT_EQ(sluzby_.Jazyk.KodJazyka, u"FR");
    EXPECT_EQ(okno->IndexObrazkuJazyka(), 9);
    EXPECT_EQ(okno->pos(), QPoint(0, 0));
    EXPECT_LT(okno->width(), 900);
}

// The settings store failing under the window: the box names the value where writing or
// reading stopped, the values before it are kept, and the file is never torn.
TEST_F(HlavniFormTest, SettingsFaultsAreReportedByValue) {
    const QString zapis =
        QString::fromUtf8("Při zápisu hodnot nastavení do registru došlo k chybě.\n");
    const QString cteni =
        QString::fromUtf8("Při čtení hodnot nastavení z registru došlo k chybě.\n");
    const QString zapsat =
        QString::fromStdString(TRegistr::VychoziUmisteni()) + " could not be written: ";
    const struct {
        const char* popis;
        test::TPoruchyRegistru::TDruh druh;
        int n, cislo;
        QString text;
    } pripady[] = {
        {"disk full at the first value", test::TPoruchyRegistru::Write, 1, ENOSPC,
         zapis + "(Failed to set data for 'Jazyk': " + zapsat + "no space left on device.)"},
        {"disk full at fsync of the third value", test::TPoruchyRegistru::Fsync, 3, ENOSPC,
         zapis + "(Failed to set data for 'Maximalni': " + zapsat + "no space left on device.)"},
        {"rename refused at the last value", test::TPoruchyRegistru::Rename, 7, EACCES,
         zapis + "(Failed to set data for 'Sirka': " + zapsat + "permission denied.)"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        QFile::remove(TRegistr::VychoziUmisteni().c_str());
        UlozHodnoty({{"Vlevo", 10}}, {{"Jazyk", "FR"}});
        const std::string pred = Obsah(TRegistr::VychoziUmisteni().c_str()).toStdString();
        {
            auto okno = Vytvor();
            Zobraz(*okno);
            sluzby_.Jazyk.KodJazyka = u"EN";
            TVidenyBox box;
            TScenar scenar({Zaznamenej(box, QMessageBox::Ok)});
            test::TPoruchyRegistru poruchy(p.druh, p.n, p.cislo);
            okno->close();
            EXPECT_TRUE(poruchy.Nastala());
            ASSERT_TRUE(box.videny);
            EXPECT_EQ(box.titulek, "Chyba");
            EXPECT_EQ(box.text, p.text);
        }
        // Values before the failing one are written; the file still reads.
        TRegistr registr;
        ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, false));
        EXPECT_EQ(registr.ReadString("Jazyk"), p.n == 1 ? "FR" : "EN");
        if (p.n == 1) {
            EXPECT_EQ(Obsah(TRegistr::VychoziUmisteni().c_str()).toStdString(), pred);
        }
    }

    // Reading: a failing read or a corrupt file is reported at the first value.
    for (const bool poskozeny : {false, true}) {
        SCOPED_TRACE(poskozeny ? "corrupt file" : "read fails");
        UlozHodnoty({{"Vlevo", 10}}, {{"Jazyk", "FR"}});
        if (poskozeny) {
            QFile f(TRegistr::VychoziUmisteni().c_str());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Append));
            f.write("\"Vlevo\"=nonsense\n");
        }
        const QByteArray pred = Obsah(TRegistr::VychoziUmisteni().c_str());
        sluzby_.Jazyk.KodJazyka = u"CZ";
        TVidenyBox box;
        TScenar scenar({Zaznamenej(box, QMessageBox::Ok)});
        std::unique_ptr<THlavniForm> okno;
        {
            test::TPoruchyRegistru poruchy(test::TPoruchyRegistru::Read, poskozeny ? 0 : 1, EIO);
            okno = Vytvor();
        }
        // A corrupt file is kept aside at once, and the box says where.
        const QString cesta = QString::fromStdString(TRegistr::VychoziUmisteni());
        const QStringList kopie = QFileInfo(cesta).dir().entryList({"Vantrel.reg.corrupt-*"});
        ASSERT_EQ(kopie.size(), poskozeny ? 1 : 0);
        const QString kam = poskozeny ? QFileInfo(cesta).dir().filePath(kopie[0]) : cesta;
        ASSERT_TRUE(box.videny);
        EXPECT_EQ(box.text,
                  cteni + "(Failed to get data for 'Jazyk': " + cesta +
                      (poskozeny ? " is not in the registry export format; it was "
                                   "kept as " +
                                       kam
                                 : QStringLiteral(" could not be read: input/output error")) +
                      ".)");
        EXPECT_EQ(sluzby_.Jazyk.KodJazyka, u"CZ");
        EXPECT_EQ(okno->pos(), QPoint(0, 0));
        EXPECT_EQ(Obsah(kam), pred) << "reading changed the file";
        okno.reset();
        QFile::remove(kam);
    }
}

// A file where the settings folder should be (no permission bits involved, so this holds for
// root too): nothing to read at start, and the first value fails at close.
TEST_F(HlavniFormTest, AFileWhereTheSettingsFolderShouldBe) {
    QFile blok(konfigurace_.filePath("Tarsk"));
    ASSERT_TRUE(blok.open(QIODevice::WriteOnly));
    blok.write("not a folder");
    blok.close();
    TVidenyBox box;
    {
        TScenar scenar({Zaznamenej(box, QMessageBox::Ok)});
        auto okno = Vytvor();
        Zobraz(*okno);
        EXPECT_FALSE(box.videny) << "a missing store is no error at start";
        okno->close();
    }
    ASSERT_TRUE(box.videny);
    EXPECT_EQ(box.text, QString::fromUtf8("Při zápisu hodnot nastavení do registru došlo k chybě.\n"
                                          "(Failed to set data for 'Jazyk': the folder ") +
                            blok.fileName() + " could not be made: not a directory.)");
    EXPECT_EQ(Obsah(blok.fileName()), "not a folder");
}

TEST_F(HlavniFormTest, APositionOffEveryScreenComesBack) {
    UlozHodnoty({{"Vlevo", 50000}, {"Nahore", -40000}});
    auto okno = Vytvor();
    Zobraz(*okno);
    const QRect plocha = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(plocha.intersects(okno->frameGeometry()));
}

TEST_F(HlavniFormTest, LanguageFileTranslatesTheWindows) {
    const QString jazyk = Soubor("vtrl.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<vtrl>
  <Obecne><rsSOUBORU><CZ>Počet souborů</CZ><EN>Files</EN></rsSOUBORU></Obecne>
  <HlavniForm>
    <HlavniForm><EN>Never</EN></HlavniForm>
    <livSoubory0><EN>File name</EN></livSoubory0>
    <aKonec><EN>Exit</EN></aKonec>
    <aKonec-H><EN>Quit the program|</EN></aKonec-H>
  </HlavniForm>
</vtrl>)");
    UlozHodnoty({}, {{"Jazyk", "EN"}});
    auto okno = Vytvor(jazyk);
    Zobraz(*okno);
    EXPECT_EQ(okno->windowTitle(), "Vantrel");
    EXPECT_EQ(okno->StatusPanel0->text(), "Files: 0");
    EXPECT_EQ(okno->livSoubory->headerItem()->text(0), "File name");
    EXPECT_EQ(okno->livSoubory->headerItem()->text(1), "Velikost");
    EXPECT_EQ(okno->aKonec->text(), "Exit");
    auto* tlacitko =
        qobject_cast<QToolButton*>(okno->ActionToolBar1->widgetForAction(okno->aKonec));
    EXPECT_EQ(tlacitko->text(), "Exit");
    EXPECT_EQ(tlacitko->toolTip(), "Quit the program (F4)");
    // Untranslated texts keep the designed captions with their access keys.
    EXPECT_EQ(
        qobject_cast<QToolButton*>(okno->ActionToolBar1->widgetForAction(okno->aPridat))->text(),
        QString::fromUtf8("&Přidat..."));
    EXPECT_EQ(convar::rsSOUBORU, u"Files");
    EXPECT_EQ(convar::rsSPOJENO, u"Potvrzené soubory byly spojeny do souboru");
}

// A translation that stops half way leaves the toolbar in step with the actions it did translate.
TEST_F(HlavniFormTest, AFailedTranslationLeavesTheToolbarInStep) {
    const QString jazyk = Soubor("vtrl.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<vtrl><HlavniForm>
  <aKonec><EN>E&amp;xit</EN></aKonec>
  <aKonec-H><EN>Quit the program|</EN></aKonec-H>
  <aSmazat><EN>Re<b>move</b></EN></aSmazat>
</HlavniForm></vtrl>)");
    auto okno = Vytvor(jazyk);
    Zobraz(*okno);
    sluzby_.Jazyk.KodJazyka = u"EN";
    TVidenyBox box;
    TScenar scenar({Zaznamenej(box, QMessageBox::Ok)});
    Chranene(sluzby_.Hlaseni, [&] { okno->NastavJazyk(); });
    ASSERT_TRUE(box.videny);
    auto* konec = qobject_cast<QToolButton*>(okno->ActionToolBar1->widgetForAction(okno->aKonec));
    EXPECT_EQ(konec->text(), "E&xit");
    EXPECT_EQ(konec->toolTip(), "Quit the program (F4)");
    auto* smazat = qobject_cast<QToolButton*>(okno->ActionToolBar1->widgetForAction(okno->aSmazat));
    EXPECT_EQ(smazat->text(), "&Smazat");
    EXPECT_EQ(smazat->toolTip(), QString::fromUtf8("Odstraní vybrané soubory ze seznamu (Del)"));
}

TEST_F(HlavniFormTest, AMalformedLanguageFileIsReportedAndTheWindowShown) {
    const QString jazyk = Soubor("vtrl.xml", "<vtrl><Obecne></vtrl>");
    TVidenyBox box;
    TScenar scenar({Zaznamenej(box, QMessageBox::Ok)});
    auto okno = Vytvor(jazyk);
    Zobraz(*okno);
    ASSERT_TRUE(box.videny);
    EXPECT_EQ(box.titulek, "Vantrel");
    EXPECT_TRUE(box.text.contains("line 1")) << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith('.'));
    EXPECT_TRUE(okno->isVisible());
    // The rest of the start-up was skipped: the panels stay empty until the list changes.
    EXPECT_TRUE(okno->StatusPanel0->text().isEmpty());
}

TEST_F(HlavniFormTest, ChoosingALanguageSwitchesAllThreeWindows) {
    const QString jazyk = Soubor("vtrl.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<vtrl>
  <JAZYKY>
    <CZ index="0"><n>Čeština</n><v>3.0</v><a>Tarsk</a></CZ>
    <!-- comments are not languages -->
    <EN index="1"><n>English</n><v>3.0</v><a>Tarsk</a></EN>
  </JAZYKY>
  <Obecne><rsSOUBORU><EN>Files</EN></rsSOUBORU></Obecne>
  <HlavniForm><aKonec><EN>Exit</EN></aKonec>
    <livSoubory-A><EN>Files to join</EN></livSoubory-A></HlavniForm>
  <JazykForm><JazykForm><EN>Choose the language</EN></JazykForm>
    <btnStorno><EN>Cancel</EN></btnStorno></JazykForm>
  <OAplikaciForm><btnZavrit><EN>Close</EN></btnZavrit></OAplikaciForm>
</vtrl>)");
    auto okno = Vytvor(jazyk);
    TJazykForm jazykForm(okno.get());
    TOAplikaciForm oAplikaciForm(okno.get());
    okno->NastavOkna(&oAplikaciForm, &jazykForm);
    Zobraz(*okno);
    okno->StatusPanel1->setText("report");

    // Storno changes nothing.
    {
        TScenar scenar({[](QWidget* w) {
            auto* d = qobject_cast<TJazykForm*>(w);
            if (d == nullptr)
                return false;
            d->btnStorno().click();
            return true;
        }});
        okno->aJazyk->trigger();
        ASSERT_TRUE(scenar.Dohrano());
        EXPECT_EQ(sluzby_.Jazyk.KodJazyka, u"CZ");
        EXPECT_EQ(okno->IndexObrazkuJazyka(), 6);
    }
    TScenar scenar({[](QWidget* w) {
        auto* d = qobject_cast<TJazykForm*>(w);
        if (d == nullptr)
            return false;
        EXPECT_EQ(d->livJazyk().topLevelItemCount(), 2);
        d->livJazyk().setCurrentItem(d->livJazyk().topLevelItem(1));
        d->btnOK().click();
        return true;
    }});
    okno->aJazyk->trigger();
    ASSERT_TRUE(scenar.Dohrano());
    EXPECT_EQ(sluzby_.Jazyk.KodJazyka, u"EN");
    EXPECT_EQ(okno->IndexObrazkuJazyka(), 7);
    EXPECT_EQ(okno->aKonec->text(), "Exit");
    EXPECT_EQ(jazykForm.btnStorno().text(), "Cancel");
    // What a screen reader hears follows too; a text the file lacks keeps the built-in one.
    EXPECT_EQ(okno->livSoubory->accessibleName(), "Files to join");
    EXPECT_EQ(okno->ActionToolBar1->accessibleName(), QString::fromUtf8("Panel nástrojů"));
    EXPECT_EQ(jazykForm.livJazyk().accessibleName(), "Choose the language");
    EXPECT_EQ(oAplikaciForm.btnZavrit().text(), "Close");
    EXPECT_EQ(okno->StatusPanel0->text(), "Files: 0");
    EXPECT_TRUE(okno->StatusPanel1->text().isEmpty());
}

} // namespace
} // namespace vantrel
