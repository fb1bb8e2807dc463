#include "app/TextoveDialogy.h"

#include "Scenar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Readable failure messages for Qt strings.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

using vantrel::TOpenTextFileDialog;
using vantrel::TSaveTextFileDialog;
using vantrel::TTextFileDialog;

namespace {

using namespace vantrel::test;

TScenar::Krok Zkontroluj(std::function<void(QFileDialog*)> kontrola) {
    return [kontrola](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        if (d == nullptr || !d->isVisible() || !SlozkaNactena(d))
            return false;
        kontrola(d);
        return true;
    };
}

class DialogyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(slozka_.isValid());
        for (const char* jmeno : {"a.txt", "b.txt", "c.txt", "stary.txt"}) {
            QFile f(Cesta(jmeno));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("radek\r\n");
        }
    }
    QString Cesta(const QString& jmeno) const { return slozka_.filePath(jmeno); }

    QTemporaryDir slozka_;
};

TEST_F(DialogyTest, RadekKodovaniLiciSTypemSouboru) {
    for (int druh = 0; druh < 2; ++druh) {
        SCOPED_TRACE(druh == 0 ? "open" : "save");
        std::unique_ptr<TTextFileDialog> dialog;
        if (druh == 0)
            dialog = std::make_unique<TOpenTextFileDialog>();
        else
            dialog = std::make_unique<TSaveTextFileDialog>();
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(dialog->isSizeGripEnabled());
        EXPECT_TRUE(dialog->defaultSuffix().isEmpty());

        auto kontrola = [](QFileDialog* d) {
            auto* lbl = d->findChild<QLabel*>(QStringLiteral("lblKodovani"));
            auto* cb = Kodovani(d);
            auto* lblTyp = d->findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
            auto* typ = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_TRUE(lbl && cb && lblTyp && typ);
            EXPECT_EQ(lbl->text(), "Encoding:");
            EXPECT_EQ(lbl->buddy(), cb);
            EXPECT_FALSE(cb->isEditable());
            QStringList polozky;
            for (int i = 0; i < cb->count(); ++i)
                polozky << cb->itemText(i);
            EXPECT_EQ(polozky, QStringList({"ANSI", "ASCII", "Unicode", "Big Endian Unicode",
                                            "UTF-8", "UTF-7"}));
            EXPECT_EQ(cb->currentIndex(), 0);
            for (int sirka : {d->width(), d->width() + 300}) {
                d->resize(sirka, d->height());
                d->layout()->activate();
                EXPECT_EQ(lbl->x(), lblTyp->x());
                EXPECT_EQ(cb->x(), typ->x());
                EXPECT_EQ(cb->width(), typ->width());
                EXPECT_GT(cb->width(), 50);
                EXPECT_TRUE(cb->isVisible());
                EXPECT_GT(cb->y(), typ->y());
            }
            d->reject();
        };
        TScenar scenar({[&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            if (d == nullptr || !d->isVisible())
                return false;
            kontrola(d);
            return true;
        }});
        EXPECT_FALSE(dialog->Execute());
        EXPECT_TRUE(scenar.Dohrano());
    }
}

TEST_F(DialogyTest, KodovaniSiPamatujeKazdyDialogZvlastIPoZruseni) {
    TOpenTextFileDialog otevrit;
    TSaveTextFileDialog ulozit;
    auto zvol = [](int index) {
        return [index](QWidget* w) {
            if (qobject_cast<QFileDialog*>(w) == nullptr)
                return false;
            Kodovani(w)->setCurrentIndex(index);
            qobject_cast<QFileDialog*>(w)->reject();
            return true;
        };
    };
    auto ukazuje = [](int index) {
        return Zkontroluj([index](QFileDialog* d) {
            EXPECT_EQ(Kodovani(d)->currentIndex(), index);
            d->reject();
        });
    };
    const struct {
        TTextFileDialog* dialog;
        TScenar::Krok krok;
        int ocekavany;
    } kola[] = {
        {&otevrit, zvol(4), 4}, {&otevrit, ukazuje(4), 4}, {&ulozit, ukazuje(0), 0},
        {&ulozit, zvol(2), 2},  {&otevrit, ukazuje(4), 4}, {&ulozit, ukazuje(2), 2},
        {&otevrit, zvol(5), 5}, {&ulozit, ukazuje(2), 2},
    };
    for (std::size_t i = 0; i < std::size(kola); ++i) {
        SCOPED_TRACE(i);
        TScenar scenar({kola[i].krok});
        EXPECT_FALSE(kola[i].dialog->Execute());
        EXPECT_TRUE(scenar.Dohrano());
        EXPECT_EQ(kola[i].dialog->EncodingIndex(), kola[i].ocekavany);
    }
    EXPECT_TRUE(otevrit.FileName().isEmpty());
    EXPECT_TRUE(ulozit.FileName().isEmpty());
}

TEST_F(DialogyTest, UlozeniSePtaNaVytvoreniINahrazeni) {
    const struct {
        const char* jmeno;
        const char* otazka;
    } pripady[] = {
        {"novy.txt", "does not exist"},
        {"stary.txt", "already exists"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.jmeno);
        TSaveTextFileDialog dialog;
        dialog.setDirectory(slozka_.path());
        TScenar scenar({
            NapisAPotvrd(p.jmeno),
            Odpovez(p.otazka, QMessageBox::No),
            Zkontroluj([](QFileDialog* d) {
                QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
            }),
            Odpovez(p.otazka, QMessageBox::Yes),
        });
        EXPECT_TRUE(dialog.Execute());
        EXPECT_TRUE(scenar.Dohrano());
        EXPECT_EQ(dialog.FileName(), Cesta(p.jmeno));
    }
    EXPECT_FALSE(QFile::exists(Cesta("novy.txt"))) << "the dialog only chooses";
}

TEST_F(DialogyTest, UlozeniNabidnePosledniCestu) {
    TSaveTextFileDialog dialog;
    dialog.setDirectory(slozka_.path());
    {
        TScenar scenar({NapisAPotvrd("vystup.txt"), Odpovez("vystup.txt", QMessageBox::Yes)});
        ASSERT_TRUE(dialog.Execute());
        EXPECT_TRUE(scenar.Dohrano());
    }
    dialog.setDirectory(QDir::rootPath());
    TScenar scenar({Zkontroluj([this](QFileDialog* d) {
        EXPECT_EQ(QDir(d->directory()).canonicalPath(), QDir(slozka_.path()).canonicalPath());
        EXPECT_EQ(PoleJmena(d)->text(), "vystup.txt");
        d->reject();
    })});
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(scenar.Dohrano());
    EXPECT_EQ(dialog.FileName(), Cesta("vystup.txt")) << "a cancel keeps the last result";
}

TEST_F(DialogyTest, UlozeniOdmitneChybejiciSlozku) {
    TSaveTextFileDialog dialog;
    dialog.setDirectory(slozka_.path());
    TScenar scenar(
        {NapisAPotvrd("chybi/novy.txt"), Odpovez("does not exist", QMessageBox::Ok), Zrus()});
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(scenar.Dohrano());
    EXPECT_TRUE(dialog.FileName().isEmpty());
}

TEST_F(DialogyTest, OtevreniVraciVyberVPoradiDialoguANabidnePrvni) {
    TOpenTextFileDialog dialog;
    dialog.setDirectory(slozka_.path());
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
    {
        TScenar scenar({[](QWidget* w) {
            if (!NapisAPotvrd("\"c.txt\" \"a.txt\" \"b.txt\"")(w))
                return false;
            // The folder sorted once more after the names were typed, as a load that ends late
            // sorts it, must not reorder them.
            QAbstractItemModel* model =
                w->findChild<QListView*>(QStringLiteral("listView"))->model();
            model->sort(0, Qt::DescendingOrder);
            model->sort(0, Qt::AscendingOrder);
            return true;
        }});
        ASSERT_TRUE(dialog.Execute());
        EXPECT_TRUE(scenar.Dohrano());
    }
    EXPECT_EQ(dialog.Files(), QStringList({Cesta("c.txt"), Cesta("a.txt"), Cesta("b.txt")}));
    EXPECT_EQ(dialog.FileName(), Cesta("c.txt"));

    dialog.setDirectory(QDir::rootPath());
    TScenar scenar({Zkontroluj([this](QFileDialog* d) {
        EXPECT_EQ(QDir(d->directory()).canonicalPath(), QDir(slozka_.path()).canonicalPath());
        EXPECT_EQ(PoleJmena(d)->text(), "c.txt");
        d->reject();
    })});
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(scenar.Dohrano());
    EXPECT_EQ(dialog.Files().size(), 3) << "a cancel keeps the last selection";
}

// A name typed in full and confirmed with Enter while the completion list shows: the list goes
// with the dialog instead of staying on the screen.
TEST_F(DialogyTest, SeznamDoplnovaniOdchaziSDialogem) {
    TOpenTextFileDialog dialog;
    dialog.setDirectory(slozka_.path());
    QPointer<QWidget> seznam;
    TScenar scenar({[](QWidget* w) {
                        QLineEdit* pole = PoleSFokusem(w);
                        if (pole == nullptr)
                            return false;
                        QTest::keyClicks(pole, QStringLiteral("sta"));
                        return true;
                    },
                    [&](QWidget* w) {
                        QCompleter* doplneni = PoleJmena(w)->completer();
                        if (doplneni == nullptr || !doplneni->popup()->isVisible())
                            return false;
                        seznam = doplneni->popup();
                        // The list has the keyboard: it hands the keys on to the name field.
                        QTest::keyClicks(seznam, QStringLiteral("ry.txt"));
                        QTest::keyClick(seznam, Qt::Key_Return);
                        return true;
                    }});
    ASSERT_TRUE(dialog.Execute());
    EXPECT_TRUE(scenar.Dohrano());
    ASSERT_FALSE(seznam.isNull());
    EXPECT_FALSE(seznam->isVisible());
    EXPECT_EQ(dialog.FileName(), Cesta("stary.txt"));
}

TEST_F(DialogyTest, OtevreniOdmitneNeexistujiciJmeno) {
    TOpenTextFileDialog dialog;
    dialog.setDirectory(slozka_.path());
    TScenar scenar({NapisAPotvrd("neni.txt"), Odpovez("neni.txt", QMessageBox::Ok),
                    Zkontroluj([](QFileDialog* d) {
                        EXPECT_TRUE(d->isVisible()) << "the dialog stays open";
                        d->reject();
                    })});
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(scenar.Dohrano());
    EXPECT_TRUE(dialog.Files().isEmpty());
    EXPECT_TRUE(dialog.FileName().isEmpty());
}

} // namespace
