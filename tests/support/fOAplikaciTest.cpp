#include "support/fOAplikaci.h"

#include "lang/JazykyXML.h"
#include "lang/XmlDokument.h"
#include "tests/ObsluhaDialogu.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
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
    for (QLabel* l : {&form.lblVerze(), &form.Label2(), &form.lblURL(), &form.Label1()}) {
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
    QDomDocument dokument = ParsujDokumentJazyka(xml, QStringLiteral("test.xml"));
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
        jazyk.KodJazyka = QLatin1String(s.kod);
        jazyk.PrelozFormular(form);
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

TEST(OAplikaciForm, OdkazOtevreSvujText) {
    TProhlizec prohlizec;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &prohlizec, "Otevri");
    TOAplikaciForm form;
    Zobraz(form, [](TOAplikaciForm& f) {
        QLabel& odkaz = f.lblURL();
        QTest::mouseClick(&odkaz, Qt::RightButton, {}, odkaz.rect().center());
        // Pressed on the link but released beside it: no click.
        QTest::mousePress(&odkaz, Qt::LeftButton, {}, odkaz.rect().center());
        QTest::mouseRelease(&odkaz, Qt::LeftButton, {}, QPoint(-5, -5));
        QTest::mouseClick(&odkaz, Qt::LeftButton, {}, odkaz.rect().center());
        // The dialog stays open after a click on the link.
        EXPECT_TRUE(f.isVisible());
        f.reject();
    });
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(prohlizec.otevrene.size(), 1);
    EXPECT_EQ(prohlizec.otevrene.first(), QUrl(form.lblURL().text()));
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
