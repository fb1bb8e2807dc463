#include "support/fOAplikaci.h"

#include "lang/FormularQt.h"
#include "lang/JazykyXML.h"
#include "lang/XmlDokument.h"
#include "tests/ObsluhaDialogu.h"
#include "tests/Pismo.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

using namespace vantrel;

namespace {

// Stands in for the desktop's browser.
class TProhlizec : public QObject {
    Q_OBJECT

public:
    QList<QUrl> otevrene;

public slots:
    void Otevri(const QUrl& url) { otevrene.append(url); }
};

// Shows the dialog modally and hands it to `akce` once it is open; returns exec()'s result.
int Zobraz(TOAplikaciForm& form, const std::function<void(TOAplikaciForm&)>& akce) {
    bool videno = false;
    const int vysledek = test::SObsluhou(
        form, akce, [&] { return form.exec(); }, &videno);
    EXPECT_TRUE(videno);
    return vysledek;
}

void Klavesa(TOAplikaciForm& form, Qt::Key klavesa) {
    QWidget* cil = QApplication::focusWidget();
    QTest::keyClick(cil != nullptr && form.isAncestorOf(cil) ? cil : &form, klavesa);
}

int PravyOkraj(const QWidget& w) {
    return w.x() + w.width();
}

TEST(OAplikaciForm, RozmisteniAVzhled) {
    TOAplikaciForm form;
    EXPECT_EQ(form.objectName(), "OAplikaciForm");
    EXPECT_EQ(form.windowTitle(), "O aplikaci");
    EXPECT_EQ(form.property("Tag").toInt(), -1);
    EXPECT_EQ(form.size(), QSize(376, 153));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.windowType(), Qt::Tool);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);

    struct Pevne {
        const char* jmeno;
        QRect misto;
    };
    for (const Pevne& p : {Pevne{"Label1", {8, 8, 254, 45}}, Pevne{"Bevel1", {8, 59, 361, 30}},
                           Pevne{"btnZavrit", {293, 120, 75, 25}}}) {
        SCOPED_TRACE(p.jmeno);
        auto* w = form.findChild<QWidget*>(QLatin1String(p.jmeno));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), p.misto);
    }
    EXPECT_EQ(PravyOkraj(form.lblVerze()), 369);
    EXPECT_EQ(form.lblVerze().y(), 40);
    EXPECT_EQ(form.Label2().pos(), QPoint(8, 95));
    EXPECT_EQ(PravyOkraj(form.lblURL()), 368);
    EXPECT_EQ(form.lblURL().y(), 95);

    // Labels sized to their texts show them whole.
    for (QLabel* l :
         {&form.lblVerze(), &form.Label2(), static_cast<QLabel*>(&form.lblURL()), &form.Label1()}) {
        SCOPED_TRACE(l->objectName().toStdString());
        EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text()));
        EXPECT_GE(l->height(), l->fontMetrics().height());
    }
    // The description covers at least its designed band, fits its font and stays in the frame.
    const QRect popis = form.lblPopis().geometry();
    EXPECT_TRUE(popis.contains(QRect(24, 68, 329, 13)) || popis.height() < 13);
    EXPECT_GE(popis.height(), std::min(form.lblPopis().fontMetrics().height(), 26));
    EXPECT_TRUE(form.Bevel1().geometry().contains(popis));
    EXPECT_EQ(form.lblURL().geometry().bottom() < form.btnZavrit().y() ||
                  PravyOkraj(form.lblURL()) <= form.btnZavrit().x(),
              true);

    EXPECT_EQ(form.Label1().text(), "Vantrel 3");
    EXPECT_TRUE(form.Label1().font().bold());
    EXPECT_EQ(form.Label1().palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_TRUE(form.lblPopis().font().bold());
    EXPECT_EQ(form.lblPopis().text(), QString::fromUtf8("Spojování textových souborů do jednoho"));
    EXPECT_TRUE(form.lblPopis().alignment() & Qt::AlignHCenter);
    EXPECT_EQ(form.Bevel1().frameShadow(), QFrame::Sunken);
    EXPECT_EQ(form.lblURL().palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(form.lblURL().font().underline());
    EXPECT_EQ(form.lblURL().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(form.btnZavrit().text(), QString::fromUtf8("Zavřít"));

    const QUrl adresa(form.lblURL().text(), QUrl::StrictMode);
    EXPECT_TRUE(adresa.isValid());
    EXPECT_EQ(adresa.scheme(), "https");
    EXPECT_FALSE(form.Label2().text().isEmpty());
}

TEST(OAplikaciForm, VerzeBeziciho) {
    TOAplikaciForm form;
    EXPECT_EQ(form.lblVerze().text(), VANTREL_VERZE);

    // Another file: a program without the record, and no file at all, show nothing.
    for (const QString& cesta : {QStringLiteral(VANTREL_TEST_DATA "/../fOAplikaciTest.cpp"),
                                 QDir::temp().filePath(QStringLiteral("zadny-takovy-program"))}) {
        SCOPED_TRACE(cesta.toStdString());
        TOAplikaciForm jiny(nullptr, cesta);
        EXPECT_EQ(jiny.lblVerze().text(), QString());
    }
}

TEST(OAplikaciForm, PrekladMeniJenOznaceneTexty) {
    const QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<vtrl><OAplikaciForm>
  <OAplikaciForm><CZ>O aplikaci</CZ><EN>About</EN></OAplikaciForm>
  <lblPopis><EN>Joining text files into one</EN></lblPopis>
  <btnZavrit><EN>Close</EN></btnZavrit>
  <Label1><EN>Other product</EN></Label1>
  <lblVerze><EN>9.9.9</EN></lblVerze>
  <Label2><EN>Someone else</EN></Label2>
  <lblURL><EN>https://elsewhere.example.org/</EN></lblURL>
</OAplikaciForm></vtrl>)";
    TDokumentJazyka dokument = ParsujDokumentJazyka(xml, QStringLiteral("test.xml"));
    TJazykXML jazyk;
    jazyk.Dokument = &dokument;

    TOAplikaciForm form;
    const QString pevne[] = {form.Label1().text(), form.lblVerze().text(), form.Label2().text(),
                             form.lblURL().text()};
    struct Stav {
        const char* kod;
        const char* titulek;
        const char* popis;
        const char* tlacitko;
    };
    for (const Stav& s : {Stav{"EN", "About", "Joining text files into one", "Close"},
                          Stav{"CZ", "O aplikaci", "Joining text files into one", "Close"}}) {
        SCOPED_TRACE(s.kod);
        jazyk.KodJazyka = QString::fromLatin1(s.kod).toStdU16String();
        PrelozFormular(jazyk, form);
        EXPECT_EQ(form.windowTitle(), s.titulek);
        EXPECT_EQ(form.lblPopis().text(), s.popis);
        EXPECT_EQ(form.btnZavrit().text(), s.tlacitko);
        const QLabel* labels[] = {&form.Label1(), &form.lblVerze(), &form.Label2(), &form.lblURL()};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(labels[i]->text(), pevne[i]) << labels[i]->objectName().toStdString();
    }

    // A translated text still sits in the frame and keeps its centre.
    Zobraz(form, [](TOAplikaciForm& f) {
        const QRect popis = f.lblPopis().geometry();
        EXPECT_TRUE(f.Bevel1().geometry().contains(popis));
        EXPECT_LE(std::abs(popis.center().x() - (24 + 329 / 2)), 1);
        f.reject();
    });
}

TEST(OAplikaciForm, ZavreniAFokus) {
    const std::pair<const char*, std::function<void(TOAplikaciForm&)>> zpusoby[] = {
        {"Esc", [](TOAplikaciForm& f) { Klavesa(f, Qt::Key_Escape); }},
        {"Enter", [](TOAplikaciForm& f) { Klavesa(f, Qt::Key_Return); }},
        {"Zavřít", [](TOAplikaciForm& f) { QTest::mouseClick(&f.btnZavrit(), Qt::LeftButton); }},
        {"close box", [](TOAplikaciForm& f) { f.close(); }},
    };
    TOAplikaciForm form;
    for (const auto& zpusob : zpusoby) {
        SCOPED_TRACE(zpusob.first);
        const auto& akce = zpusob.second; // a structured binding cannot be captured before C++20
        QWidget* fokus = nullptr;
        const int vysledek = Zobraz(form, [&](TOAplikaciForm& f) {
            fokus = QApplication::focusWidget();
            akce(f);
        });
        EXPECT_EQ(vysledek, QDialog::Rejected);
        EXPECT_EQ(fokus, &form.btnZavrit());
        EXPECT_FALSE(form.isVisible());
    }
}

// The link opens its own text when clicked, when Tab has brought the focus to it and Enter or
// Space is pressed, and when a screen reader presses it; a right click, or a press released
// beside it, opens nothing, and the dialog stays open.
TEST(OAplikaciForm, TheLinkOpensByMouseKeyboardAndScreenReader) {
    const auto tabem = [](TOAplikaciForm& f, Qt::Key klavesa) {
        Klavesa(f, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), &f.lblURL());
        Klavesa(f, klavesa);
    };
    const struct {
        const char* popis;
        std::function<void(TOAplikaciForm&)> akce;
        int otevreno = 1;
    } zpusoby[] = {
        {"click",
         [](TOAplikaciForm& f) {
             QTest::mouseClick(&f.lblURL(), Qt::LeftButton, {}, f.lblURL().rect().center());
         }},
        {"Tab and Enter", [&](TOAplikaciForm& f) { tabem(f, Qt::Key_Return); }},
        {"Tab and Space", [&](TOAplikaciForm& f) { tabem(f, Qt::Key_Space); }},
        {"Shift+Tab and Enter",
         [](TOAplikaciForm& f) {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
             EXPECT_EQ(QApplication::focusWidget(), &f.lblURL());
             Klavesa(f, Qt::Key_Enter);
         }},
        {"screen reader",
         [](TOAplikaciForm& f) {
             QAccessibleInterface* odkaz = QAccessible::queryAccessibleInterface(&f.lblURL());
             ASSERT_NE(odkaz, nullptr);
             EXPECT_EQ(odkaz->role(), QAccessible::Link);
             EXPECT_EQ(odkaz->text(QAccessible::Name), f.lblURL().text());
             EXPECT_TRUE(odkaz->state().focusable);
             QAccessibleActionInterface* akce = odkaz->actionInterface();
             ASSERT_NE(akce, nullptr);
             akce->doAction(QAccessibleActionInterface::pressAction());
         }},
        {"right click, or pressed and released beside",
         [](TOAplikaciForm& f) {
             QLabel& odkaz = f.lblURL();
             QTest::mouseClick(&odkaz, Qt::RightButton, {}, odkaz.rect().center());
             QTest::mousePress(&odkaz, Qt::LeftButton, {}, odkaz.rect().center());
             QTest::mouseRelease(&odkaz, Qt::LeftButton, {}, QPoint(-5, -5));
         },
         0},
    };
    for (const auto& zpusob : zpusoby) {
        SCOPED_TRACE(zpusob.popis);
        TProhlizec prohlizec;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &prohlizec, "Otevri");
        TOAplikaciForm form;
        Zobraz(form, [&](TOAplikaciForm& f) {
            zpusob.akce(f);
            EXPECT_TRUE(f.isVisible());
            f.reject();
        });
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        ASSERT_EQ(prohlizec.otevrene.size(), zpusob.otevreno);
        for (const QUrl& adresa : prohlizec.otevrene)
            EXPECT_EQ(adresa, QUrl(form.lblURL().text()));
    }
}

// A palette as a dark desktop theme gives it.
QPalette TmavaPaleta() {
    QPalette paleta;
    const QColor tmava(53, 53, 53), svetla(230, 230, 230);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        paleta.setColor(role, tmava);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        paleta.setColor(role, svetla);
    paleta.setColor(QPalette::Link, QColor(120, 170, 255));
    return paleta;
}

bool Prekryvaji(const QWidget* a, const QWidget* b) {
    return a->geometry().intersects(b->geometry());
}

// Every shipped language, at text sizes from the designed one to twice that, in a light and a
// dark palette: each text shows whole, the button holds its caption with room to spare, no part
// covers another, and the link reads against the background: the designed blue where it does,
// the palette's link colour where it does not.
TEST(OAplikaciForm, ItsTextsShowWholeAtAnyTextSizeAndPalette) {
    QFile soubor(QStringLiteral(VTRL_XML));
    ASSERT_TRUE(soubor.open(QIODevice::ReadOnly));
    TDokumentJazyka dokument = ParsujDokumentJazyka(soubor.readAll(), soubor.fileName());
    TJazykXML jazyk;
    jazyk.Dokument = &dokument;
    const QPalette svetla = QApplication::palette();
    for (const bool tmava : {false, true}) {
        QApplication::setPalette(tmava ? TmavaPaleta() : svetla);
        for (const double nasobek : {1.0, 1.25, 1.5, 2.0}) {
            test::TPismo pismo(nasobek);
            for (const char* kod : {"CZ", "EN", "SK", "DE", "FR", "ES"}) {
                SCOPED_TRACE(QStringLiteral("%1 at %2x, %3")
                                 .arg(kod)
                                 .arg(nasobek)
                                 .arg(tmava ? "dark" : "light")
                                 .toStdString());
                TOAplikaciForm form;
                jazyk.KodJazyka = QString::fromLatin1(kod).toStdU16String();
                PrelozFormular(jazyk, form);
                Zobraz(form, [](TOAplikaciForm& f) { f.reject(); });
                EXPECT_GE(form.width(), qRound(376 * pismo.Meritko()));
                EXPECT_GE(form.height(), qRound(153 * pismo.Meritko()));
                for (QLabel* l : {&form.Label1(), &form.lblVerze(), &form.lblPopis(),
                                  &form.Label2(), static_cast<QLabel*>(&form.lblURL())}) {
                    SCOPED_TRACE(l->objectName().toStdString());
                    EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text()));
                    EXPECT_GE(l->height(), l->fontMetrics().height());
                }
                // The caption leaves at least two characters' width free on either side.
                const QPushButton& zavrit = form.btnZavrit();
                EXPECT_GE(zavrit.width(), zavrit.fontMetrics().horizontalAdvance(zavrit.text()) +
                                              4 * zavrit.fontMetrics().averageCharWidth());
                EXPECT_GE(zavrit.height(), zavrit.sizeHint().height());
                EXPECT_TRUE(form.Bevel1().geometry().contains(form.lblPopis().geometry()));
                const QWidget* casti[] = {&form.Label1(), &form.lblVerze(), &form.Bevel1(),
                                          &form.Label2(), &form.lblURL(),   &form.btnZavrit()};
                for (const QWidget* a : casti) {
                    EXPECT_TRUE(form.rect().contains(a->geometry()))
                        << a->objectName().toStdString();
                    for (const QWidget* b : casti)
                        EXPECT_TRUE(a == b || !Prekryvaji(a, b))
                            << a->objectName().toStdString() << " covers "
                            << b->objectName().toStdString();
                }
                const QPalette& paleta = form.lblURL().palette();
                EXPECT_EQ(paleta.color(QPalette::WindowText),
                          tmava ? paleta.color(QPalette::Link) : QColor(0, 0, 255));
            }
        }
    }
    QApplication::setPalette(svetla);
}

// A palette changed while the dialog lives recolours the link.
TEST(OAplikaciForm, TheLinkFollowsAPaletteChange) {
    const QPalette svetla = QApplication::palette();
    TOAplikaciForm form;
    QApplication::setPalette(TmavaPaleta());
    QApplication::processEvents();
    EXPECT_EQ(form.lblURL().palette().color(QPalette::WindowText), QColor(120, 170, 255));
    QApplication::setPalette(svetla);
    QApplication::processEvents();
    EXPECT_EQ(form.lblURL().palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST(OAplikaciForm, VystredenNadRodicem) {
    QWidget hlavni;
    hlavni.setGeometry(300, 200, 640, 480);
    hlavni.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hlavni));
    TOAplikaciForm form(&hlavni);
    for (int kolo = 0; kolo < 2; ++kolo) {
        SCOPED_TRACE(kolo);
        QPoint stred;
        Zobraz(form, [&](TOAplikaciForm& f) {
            stred = f.frameGeometry().center();
            f.move(0, 0);
            f.reject();
        });
        // Qt guesses the frame of a window not shown before; allow for that guess.
        EXPECT_LE((stred - hlavni.frameGeometry().center()).manhattanLength(), 12);
    }
}

} // namespace

#include "fOAplikaciTest.moc"
