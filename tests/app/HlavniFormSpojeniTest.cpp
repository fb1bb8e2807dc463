// The file list and the join as the main window runs them.

#include "HlavniFormTest.h"
#include "lang/fJazyk.h"
#include "platforma/KodovaStranka.h"
#include "support/fOAplikaci.h"

#include <QLabel>
#include <QTest>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vantrel {
namespace {

using namespace test;

TEST_F(HlavniFormTest, ActionsFollowTheList) {
    Soubor("a.txt", "a\n");
    Soubor("b.txt", "b\n");
    auto okno = Vytvor();
    Zobraz(*okno);
    Pridej(*okno, {"a.txt", "b.txt"});
    Pridej(*okno, {"a.txt"}); // a file added again is listed again
    ASSERT_EQ(okno->livSoubory->topLevelItemCount(), 3);
    EXPECT_EQ(okno->livSoubory->topLevelItem(0)->text(0), data_.filePath("a.txt"));
    EXPECT_EQ(okno->livSoubory->topLevelItem(2)->text(0), data_.filePath("a.txt"));
    EXPECT_EQ(okno->livSoubory->topLevelItem(0)->text(1), "2 B");
    EXPECT_EQ(okno->StavRadku(0), 0);
    EXPECT_EQ(okno->StatusPanel0->text(), QString::fromUtf8("Počet souborů: 3"));
    EXPECT_TRUE(okno->aSmazatVse->isEnabled());
    EXPECT_TRUE(okno->aSpojit->isEnabled());
    EXPECT_FALSE(okno->aSmazat->isEnabled());

    // Remove with nothing selected: nothing asked, nothing changed.
    okno->aSmazat->setEnabled(true);
    okno->aSmazat->trigger();
    EXPECT_EQ(okno->livSoubory->topLevelItemCount(), 3);

    okno->livSoubory->topLevelItem(1)->setSelected(true);
    EXPECT_TRUE(okno->aSmazat->isEnabled());
    {
        // No changes nothing, not even the status bar.
        okno->StatusPanel1->setText("report");
        TVidenyBox box;
        TScenar scenar({Zaznamenej(box, QMessageBox::No)});
        okno->aSmazat->trigger();
        EXPECT_EQ(box.titulek, QString::fromUtf8("Varování"));
        EXPECT_EQ(box.text, QString::fromUtf8("Smazat označené soubory?"));
        EXPECT_EQ(okno->livSoubory->topLevelItemCount(), 3);
        EXPECT_EQ(okno->StatusPanel1->text(), "report");
    }
    {
        TVidenyBox box;
        TScenar scenar({Zaznamenej(box, QMessageBox::Yes)});
        okno->aSmazat->trigger();
        EXPECT_EQ(okno->livSoubory->topLevelItemCount(), 2);
        EXPECT_EQ(okno->livSoubory->topLevelItem(1)->text(0), data_.filePath("a.txt"));
        EXPECT_EQ(okno->StatusPanel0->text(), QString::fromUtf8("Počet souborů: 2"));
        // Remove keeps its state until the selection next changes.
        EXPECT_TRUE(okno->aSmazat->isEnabled());
    }
    {
        TVidenyBox box;
        TScenar scenar({Zaznamenej(box, QMessageBox::Yes)});
        okno->aSmazatVse->trigger();
        EXPECT_TRUE(box.videny);
        EXPECT_EQ(okno->livSoubory->topLevelItemCount(), 0);
        EXPECT_EQ(okno->StatusPanel0->text(), QString::fromUtf8("Počet souborů: 0"));
        EXPECT_FALSE(okno->aSmazat->isEnabled());
        EXPECT_FALSE(okno->aSmazatVse->isEnabled());
        EXPECT_FALSE(okno->aSpojit->isEnabled());
    }
}

TEST_F(HlavniFormTest, JoinTicksEveryRowAndReports) {
    Soubor("a.txt", "one\ntwo");
    Soubor("b.txt", "");
    auto okno = Vytvor();
    Zobraz(*okno);
    Pridej(*okno, {"a.txt", "b.txt"});
    Pridej(*okno, {"a.txt"});
    const QString vystup = data_.filePath("out.txt");
    TScenar scenar(Uloz(vystup));
    okno->aSpojit->trigger();
    ASSERT_TRUE(scenar.Dohrano());
    EXPECT_EQ(Obsah(vystup), "one\r\ntwo\r\n\r\n\r\none\r\ntwo\r\n\r\n");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(okno->StavRadku(i), 1);
    EXPECT_EQ(okno->StatusPanel1->text(),
              QString::fromUtf8("Potvrzené soubory byly spojeny do souboru: out.txt (26 B)"));
    EXPECT_TRUE(okno->aPridat->isEnabled());
    EXPECT_TRUE(okno->aSpojit->isEnabled());
    EXPECT_TRUE(okno->aJazyk->isEnabled());

    // A selection change empties the report.
    okno->livSoubory->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(okno->StatusPanel1->text().isEmpty());
}

TEST_F(HlavniFormTest, JoinReportSizeAtTheThresholds) {
    // One input of n - 4 bytes without a line end gives n bytes: its line end and the separator.
    for (int velikost : {10240, 10241}) {
        SCOPED_TRACE(velikost);
        Soubor("velky.txt", QByteArray(velikost - 4, 'x'));
        auto okno = Vytvor();
        Zobraz(*okno);
        Pridej(*okno, {"velky.txt"});
        TScenar scenar(Uloz(data_.filePath(QStringLiteral("out%1.txt").arg(velikost))));
        okno->aSpojit->trigger();
        const QString ocekavana = velikost == 10240 ? "(10240 B)" : "(10.001 kB)";
        EXPECT_TRUE(okno->StatusPanel1->text().endsWith(ocekavana))
            << okno->StatusPanel1->text().toStdString();
    }
}

// A report too long for its panel loses the middle of the file name, never the size; the panel's
// tooltip holds the whole text.
TEST_F(HlavniFormTest, ALongReportIsElidedInTheNameNeverInTheSize) {
    Soubor("a.txt", "one\ntwo");
    const QString dlouhe = QStringLiteral("zacatek-") + QString(120, u'x') + "-konec.txt";
    for (const QString& jmeno : {QStringLiteral("out.txt"), dlouhe}) {
        SCOPED_TRACE(jmeno.toStdString());
        auto okno = Vytvor();
        Zobraz(*okno);
        Pridej(*okno, {"a.txt"});
        TScenar scenar(Uloz(data_.filePath(jmeno)));
        okno->aSpojit->trigger();
        ASSERT_TRUE(scenar.Dohrano());
        const TPanelStavu* panel = okno->StatusPanel1;
        const QString cely =
            QString::fromStdU16String(convar::rsSPOJENO) + ": " + jmeno + " (12 B)";
        EXPECT_EQ(panel->text(), cely);
        EXPECT_EQ(panel->toolTip(), cely);
        const QString zobrazeny = panel->ZobrazenyText();
        EXPECT_LE(panel->fontMetrics().horizontalAdvance(zobrazeny), panel->contentsRect().width());
        if (jmeno == dlouhe) {
            EXPECT_TRUE(
                zobrazeny.startsWith(QString::fromStdU16String(convar::rsSPOJENO) + ": zacatek-"))
                << zobrazeny.toStdString();
            EXPECT_TRUE(zobrazeny.contains(QString::fromUtf8("…"))) << zobrazeny.toStdString();
            EXPECT_TRUE(zobrazeny.endsWith("-konec.txt (12 B)")) << zobrazeny.toStdString();
        } else {
            EXPECT_EQ(zobrazeny, cely);
        }
    }
}

TEST_F(HlavniFormTest, AJoinStopsAtAMissingFile) {
    Soubor("a.txt", "a\n");
    Soubor("b.txt", "b\n");
    auto okno = Vytvor();
    Zobraz(*okno);
    Pridej(*okno, {"a.txt", "b.txt"});
    Pridej(*okno, {"a.txt"});
    {
        TScenar scenar(Uloz(data_.filePath("first.txt")));
        okno->aSpojit->trigger();
    }
    ASSERT_EQ(okno->StavRadku(2), 1);
    ASSERT_FALSE(okno->StatusPanel1->text().isEmpty());
    // The failed join's rows and report are its own, not those of the join before it.
    QFile::remove(data_.filePath("b.txt"));
    TVidenyBox box;
    auto kroky = Uloz(data_.filePath("out.txt"));
    kroky.push_back(Zaznamenej(box, QMessageBox::Ok));
    TScenar scenar(kroky);
    okno->aSpojit->trigger();
    ASSERT_TRUE(box.videny);
    EXPECT_EQ(box.text, "File not found.");
    EXPECT_EQ(box.titulek, "Vantrel");
    // Right after the save dialog has closed, the box still belongs to the main window.
    EXPECT_EQ(box.vlastnik, okno.get());
    EXPECT_LE((box.stred - okno->frameGeometry().center()).manhattanLength(), 2);
    EXPECT_EQ(okno->StavRadku(0), 1);
    EXPECT_EQ(okno->StavRadku(1), 0);
    EXPECT_EQ(okno->StavRadku(2), 0);
    EXPECT_TRUE(okno->StatusPanel1->text().isEmpty());
    EXPECT_EQ(Obsah(data_.filePath("out.txt")), "a\r\n\r\n");
    // The actions follow the list again after the failure.
    EXPECT_TRUE(okno->aPridat->isEnabled());
    EXPECT_TRUE(okno->aSpojit->isEnabled());
}

// Exit while a join runs waits for its end with the window shown; the about dialog, whose loop
// would stall the join, is off meanwhile.
TEST_F(HlavniFormTest, ExitDuringAJoinComesAfterIt) {
    Soubor("a.txt", "a\n");
    Soubor("b.txt", "b\n");
    auto okno = Vytvor();
    Zobraz(*okno);
    Pridej(*okno, {"a.txt", "b.txt"});
    bool behem = false;
    QObject::connect(okno->livSoubory->model(), &QAbstractItemModel::dataChanged, okno.get(), [&] {
        if (behem)
            return;
        behem = true;
        EXPECT_FALSE(okno->aOAplikaci->isEnabled());
        okno->aKonec->trigger();
        EXPECT_TRUE(okno->isVisible()) << "the join went on hidden";
    });
    TScenar scenar(Uloz(data_.filePath("out.txt")));
    okno->aSpojit->trigger();
    ASSERT_TRUE(behem);
    EXPECT_EQ(Obsah(data_.filePath("out.txt")), "a\r\n\r\nb\r\n\r\n");
    EXPECT_EQ(okno->StavRadku(1), 1);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(okno->aOAplikaci->isEnabled());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(TRegistr::VychoziUmisteni())));
}

// File names are bytes: the join opens the file the list shows whatever the locale's codeset
// (also run under C and ISO-8859-2 locales). In ISO-8859-2 a name typed is also the file whose
// name is in that codeset, which Qt does not list, and a new output's name is written in it.
TEST_F(HlavniFormTest, FileNamesJoinInEveryLocale) {
    const bool utf8 = ProcessCodePage().JeUtf8();
    if (qgetenv("LC_ALL").endsWith("ISO-8859-2")) {
        ASSERT_FALSE(utf8) << "the locale is missing";
    }
    Soubor(QString::fromUtf8("žluť.txt"), "kůň\n");
    const QByteArray slozka = QFile::encodeName(data_.path());
    const auto zapisBajty = [](const QByteArray& cesta, const char* obsah) {
        const int fd = ::open(cesta.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, obsah, std::strlen(obsah)), static_cast<ssize_t>(std::strlen(obsah)));
        ::close(fd);
    };
    zapisBajty(slozka + "/\xE8"
                        "erven\xFD.txt",
               "red\n"); // "červený.txt" in ISO-8859-2
    auto okno = Vytvor();
    Zobraz(*okno);
    Pridej(*okno, {QString::fromUtf8("žluť.txt")});
    if (!utf8) {
        Pridej(*okno, {QString::fromUtf8("červený.txt")});
        ASSERT_EQ(okno->livSoubory->topLevelItemCount(), 2);
        EXPECT_EQ(okno->livSoubory->topLevelItem(1)->text(0),
                  data_.filePath(QString::fromUtf8("červený.txt")));
        EXPECT_EQ(okno->livSoubory->topLevelItem(1)->text(1), "4 B");
    }
    TScenar scenar(Uloz(data_.filePath(QString::fromUtf8("výstup.txt"))));
    okno->aSpojit->trigger();
    ASSERT_TRUE(scenar.Dohrano());
    const QByteArray vystup = slozka + (utf8 ? "/v\xC3\xBDstup.txt" : "/v\xFDstup.txt");
    std::string obsah;
    const int fd = ::open(vystup.constData(), O_RDONLY);
    ASSERT_GE(fd, 0) << "no output named in the locale's codeset";
    char buffer[64];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        obsah.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    EXPECT_EQ(obsah, utf8 ? "k\xC5\xAF\xC5\x88\r\n\r\n" : "k\xC5\xAF\xC5\x88\r\n\r\nred\r\n\r\n");
    EXPECT_EQ(okno->StavRadku(0), 1);
    EXPECT_TRUE(okno->StatusPanel1->text().contains(QString::fromUtf8(": výstup.txt (")))
        << okno->StatusPanel1->text().toStdString();
}

TEST_F(HlavniFormTest, AnOutputThatIsListedIsRefused) {
    const QString a = Soubor("a.txt", "precious\n");
    auto okno = Vytvor();
    Zobraz(*okno);
    Pridej(*okno, {"a.txt"});
    TVidenyBox box;
    TScenar scenar({[&](QWidget* w) {
                        auto* d = qobject_cast<QFileDialog*>(w);
                        if (d == nullptr || !d->isVisible())
                            return false;
                        if (d->directory().absolutePath() != data_.path()) {
                            d->setDirectory(data_.path());
                            return false;
                        }
                        return NapisAPotvrd("a.txt")(w);
                    },
                    Odpovez("", QMessageBox::Yes), Zaznamenej(box, QMessageBox::Ok)});
    okno->aSpojit->trigger();
    ASSERT_TRUE(box.videny);
    EXPECT_EQ(box.text, "I/O error 32.");
    EXPECT_EQ(okno->StavRadku(0), 0);
    EXPECT_EQ(Obsah(a), "precious\n");
}

// After every dialog and box the main window is the active window again, with the keyboard focus
// where it was: nothing else brings it back on a desktop whose window manager falls back to
// a window of its own.
TEST_F(HlavniFormTest, EveryDialogAndBoxGivesTheFocusBack) {
    Soubor("a.txt", "a\n");
    Soubor("out.txt", "old\n");
    auto okno = Vytvor();
    TJazykForm jazykForm(okno.get());
    TOAplikaciForm oAplikaciForm(okno.get());
    okno->NastavOkna(&oAplikaciForm, &jazykForm);
    Zobraz(*okno);
    Pridej(*okno, {"a.txt"});
    auto zavri = [](QWidget* w) {
        auto* d = qobject_cast<QDialog*>(w);
        if (d == nullptr || !d->isVisible())
            return false;
        d->reject();
        return true;
    };
    auto uloz = Uloz(data_.filePath("out.txt"));
    const struct {
        const char* popis;
        QAction* akce;
        std::vector<TScenar::Krok> kroky;
    } pripady[] = {
        {"save dialog cancelled", okno->aSpojit, {Zrus()}},
        {"replace question answered No, then the dialog cancelled",
         okno->aSpojit,
         {uloz[0], Odpovez("out.txt", QMessageBox::No), Zrus()}},
        {"join through the replace question", okno->aSpojit, uloz},
        {"language dialog", okno->aJazyk, {zavri}},
        {"about dialog", okno->aOAplikaci, {zavri}},
        {"removal question", okno->aSmazatVse, {Odpovez("", QMessageBox::No)}},
        {"open dialog", okno->aPridat, {Zrus()}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
        okno->livSoubory->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), okno->livSoubory);
        TScenar scenar(p.kroky);
        p.akce->trigger();
        ASSERT_TRUE(scenar.Dohrano());
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), okno.get());
        EXPECT_EQ(QApplication::focusWidget(), okno->livSoubory);
    }
}

} // namespace
} // namespace vantrel
