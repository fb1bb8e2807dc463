#include "support/HlaseniQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace vantrel;
using namespace vantrel::win32;
using SB = QMessageBox::StandardButton;

namespace {

// Runs Zobraz while a timer waits for the modal box and hands it to `sBoxem`; a box that is
// still open after the last look is closed by force so that a failing test cannot hang.
int Zobraz(std::uint8_t druh, const QString& text, const QString& titulek, int priznaky,
           const std::function<void(QMessageBox*)>& sBoxem, bool* videno = nullptr) {
    bool nalezen = false;
    int pokusy = 0;
    QTimer hlidac;
    hlidac.setInterval(5);
    QObject::connect(&hlidac, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && !nalezen) {
            nalezen = true;
            sBoxem(box);
        } else if (box != nullptr && ++pokusy > 200) {
            ADD_FAILURE() << "the box was left open";
            box->done(0);
        }
    });
    hlidac.start();
    THlaseniQt hlaseni;
    const int vysledek = hlaseni.Zobraz(static_cast<TTypHlaseni>(druh), text, titulek, priznaky);
    if (videno != nullptr)
        *videno = nalezen;
    return vysledek;
}

std::vector<SB> Tlacitka(QMessageBox* box) {
    std::vector<SB> t;
    for (QAbstractButton* b : box->buttons())
        t.push_back(box->standardButton(b));
    std::sort(t.begin(), t.end());
    return t;
}

void Klavesa(QMessageBox* box, Qt::Key klavesa) {
    QWidget* cil = QApplication::focusWidget();
    if (cil == nullptr || !box->isAncestorOf(cil))
        cil = box;
    QTest::keyClick(cil, klavesa);
}

struct TKrok {
    enum { Esc, Zavrit, Enter, Stisk } co;
    SB tlacitko = SB::NoButton;
};

struct TPripad {
    const char* nazev;
    std::uint8_t druh;
    int priznaky;
    std::vector<SB> tlacitka;
    QMessageBox::Icon ikona;
    SB vychozi;
    std::vector<TKrok> kroky; // every step but the last must leave the box open
    int vysledek;
};

const TKrok kEsc{TKrok::Esc};
const TKrok kZavrit{TKrok::Zavrit};
const TKrok kEnter{TKrok::Enter};
TKrok Stisk(SB b) {
    return {TKrok::Stisk, b};
}

TEST(Hlaseni, DruhyPriznakyATlacitka) {
    using I = QMessageBox::Icon;
    const TPripad pripady[] = {
        {"error OK", thChyba, 0, {SB::Ok}, I::Critical, SB::Ok, {Stisk(SB::Ok)}, IDOK},
        {"error Esc", thChyba, 0, {SB::Ok}, I::Critical, SB::Ok, {kEsc}, IDOK},
        {"error close", thChyba, 0, {SB::Ok}, I::Critical, SB::Ok, {kZavrit}, IDOK},
        {"warning OK", thVarovani, 0, {SB::Ok}, I::Warning, SB::Ok, {kEnter}, IDOK},
        {"information", thInformace, 0, {SB::Ok}, I::Information, SB::Ok, {kEsc}, IDOK},
        {"question default",
         thDotaz,
         0,
         {SB::Yes, SB::No},
         I::Question,
         SB::Yes,
         {Stisk(SB::Yes)},
         IDYES},
        {"question No", thDotaz, 0, {SB::Yes, SB::No}, I::Question, SB::Yes, {Stisk(SB::No)}, IDNO},
        {"question OK/Cancel has no icon",
         thDotaz,
         MB_OKCANCEL,
         {SB::Ok, SB::Cancel},
         I::NoIcon,
         SB::Ok,
         {Stisk(SB::Ok)},
         IDOK},
        {"OK/Cancel Esc",
         thDotaz,
         MB_OKCANCEL,
         {SB::Ok, SB::Cancel},
         I::NoIcon,
         SB::Ok,
         {kEsc},
         IDCANCEL},
        {"OK/Cancel close",
         thChyba,
         MB_OKCANCEL,
         {SB::Ok, SB::Cancel},
         I::Critical,
         SB::Ok,
         {kZavrit},
         IDCANCEL},
        {"warning 0x34 stays",
         thVarovani,
         0x34,
         {SB::Yes, SB::No},
         I::Warning,
         SB::Yes,
         {Stisk(SB::Yes)},
         IDYES},
        {"Yes/No ignores Esc and close",
         thVarovani,
         MB_YESNO | MB_ICONWARNING,
         {SB::Yes, SB::No},
         I::Warning,
         SB::Yes,
         {kEsc, kZavrit, kEsc, Stisk(SB::No)},
         IDNO},
        {"DEFBUTTON2 on Yes/No",
         thVarovani,
         MB_YESNO | MB_DEFBUTTON2,
         {SB::Yes, SB::No},
         I::Warning,
         SB::No,
         {kEnter},
         IDNO},
        {"DEFBUTTON3 on two buttons",
         thVarovani,
         MB_YESNO | MB_DEFBUTTON3,
         {SB::Yes, SB::No},
         I::Warning,
         SB::Yes,
         {kEnter},
         IDYES},
        {"Yes/No/Cancel DEFBUTTON3",
         thDotaz,
         MB_YESNOCANCEL | MB_DEFBUTTON3,
         {SB::Yes, SB::No, SB::Cancel},
         I::NoIcon,
         SB::Cancel,
         {kEnter},
         IDCANCEL},
        {"Yes/No/Cancel Esc",
         thInformace,
         MB_YESNOCANCEL,
         {SB::Yes, SB::No, SB::Cancel},
         I::Information,
         SB::Yes,
         {kEsc},
         IDCANCEL},
        {"Abort/Retry/Ignore ignores Esc",
         thChyba,
         MB_ABORTRETRYIGNORE,
         {SB::Abort, SB::Retry, SB::Ignore},
         I::Critical,
         SB::Abort,
         {kEsc, kZavrit, Stisk(SB::Ignore)},
         IDIGNORE},
        {"Abort",
         thChyba,
         MB_ABORTRETRYIGNORE | MB_DEFBUTTON2,
         {SB::Abort, SB::Retry, SB::Ignore},
         I::Critical,
         SB::Retry,
         {Stisk(SB::Abort)},
         IDABORT},
        {"DEFBUTTON4 falls back",
         thChyba,
         MB_ABORTRETRYIGNORE | MB_DEFBUTTON4,
         {SB::Abort, SB::Retry, SB::Ignore},
         I::Critical,
         SB::Abort,
         {kEnter},
         IDABORT},
        {"Retry/Cancel",
         thVarovani,
         MB_RETRYCANCEL,
         {SB::Retry, SB::Cancel},
         I::Warning,
         SB::Retry,
         {Stisk(SB::Retry)},
         IDRETRY},
        {"Retry/Cancel Esc",
         thVarovani,
         MB_RETRYCANCEL,
         {SB::Retry, SB::Cancel},
         I::Warning,
         SB::Retry,
         {kEsc},
         IDCANCEL},
        {"error OR warning icon is warning",
         thChyba,
         MB_ICONWARNING,
         {SB::Ok},
         I::Warning,
         SB::Ok,
         {kEsc},
         IDOK},
        {"information OR error icon is none",
         thInformace,
         MB_ICONERROR,
         {SB::Ok},
         I::NoIcon,
         SB::Ok,
         {kEsc},
         IDOK},
        {"question with an icon only",
         thDotaz,
         MB_ICONINFORMATION,
         {SB::Ok},
         I::Information,
         SB::Ok,
         {Stisk(SB::Ok)},
         IDOK},
        {"unknown button set gives OK", thChyba, 0x7, {SB::Ok}, I::Critical, SB::Ok, {kEsc}, IDOK},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        bool videno = false;
        const int vysledek = Zobraz(
            p.druh, QStringLiteral("Text"), QStringLiteral("Titulek"), p.priznaky,
            [&](QMessageBox* box) {
                EXPECT_EQ(Tlacitka(box), p.tlacitka);
                EXPECT_EQ(box->icon(), p.ikona);
                ASSERT_NE(box->defaultButton(), nullptr);
                EXPECT_EQ(box->standardButton(box->defaultButton()), p.vychozi);
                for (std::size_t i = 0; i < p.kroky.size(); ++i) {
                    const TKrok& k = p.kroky[i];
                    switch (k.co) {
                    case TKrok::Esc:
                        Klavesa(box, Qt::Key_Escape);
                        break;
                    case TKrok::Enter:
                        Klavesa(box, Qt::Key_Return);
                        break;
                    case TKrok::Zavrit:
                        box->close();
                        break;
                    case TKrok::Stisk:
                        ASSERT_NE(box->button(k.tlacitko), nullptr);
                        QTest::mouseClick(box->button(k.tlacitko), Qt::LeftButton);
                        break;
                    }
                    const bool posledni = i + 1 == p.kroky.size();
                    EXPECT_EQ(box->isVisible(), !posledni) << "after step " << i;
                }
            },
            &videno);
        EXPECT_TRUE(videno);
        EXPECT_EQ(vysledek, p.vysledek);
    }
}

TEST(Hlaseni, NeznamyDruhNicNeukaze) {
    for (int druh : {4, 5, 128, 255}) {
        SCOPED_TRACE(druh);
        bool videno = true;
        const int vysledek = Zobraz(
            std::uint8_t(druh), QStringLiteral("x"), QStringLiteral("y"), MB_OKCANCEL,
            [](QMessageBox* box) { box->done(0); }, &videno);
        EXPECT_EQ(vysledek, 0);
        EXPECT_FALSE(videno);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST(Hlaseni, TextATitulekBezeZmeny) {
    const struct {
        QString text;
        QString zobrazeno;
    } pripady[] = {
        {QStringLiteral("Nelze číst.\r(Chyba.)"), QStringLiteral("Nelze číst.\n(Chyba.)")},
        {QStringLiteral("a\r\nb\nc"), QStringLiteral("a\nb\nc")},
        {QStringLiteral("<b>soubor</b> & <i>"), QStringLiteral("<b>soubor</b> & <i>")},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.text.toStdString());
        Zobraz(thChyba, p.text, QStringLiteral("<Chyba> & ?"), 0, [&](QMessageBox* box) {
            EXPECT_EQ(box->text(), p.zobrazeno);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("<Chyba> & ?"));
            box->button(SB::Ok)->click();
        });
    }
}

TEST(Hlaseni, VlastnikASmer) {
    Zobraz(thInformace, QStringLiteral("bez okna"), QString(), 0, [](QMessageBox* box) {
        EXPECT_EQ(box->parentWidget(), nullptr);
        EXPECT_EQ(box->layoutDirection(), Qt::LeftToRight);
        box->button(SB::Ok)->click();
    });

    QWidget okno;
    okno.show();
    QApplication::setActiveWindow(&okno);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    const int vysledek =
        Zobraz(thVarovani, QStringLiteral("s oknem"), QString(), MB_YESNO, [&](QMessageBox* box) {
            EXPECT_EQ(box->parentWidget(), &okno);
            EXPECT_EQ(box->layoutDirection(), Qt::RightToLeft);
            EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(QApplication::activeModalWidget(), box);
            box->button(SB::Yes)->click();
        });
    QApplication::setLayoutDirection(Qt::LeftToRight);
    EXPECT_EQ(vysledek, IDYES);
}

// The owner going away while its box is open takes the box with it; that is no button pressed.
TEST(Hlaseni, ZniceniVlastnika) {
    auto* okno = new QWidget;
    okno->show();
    QApplication::setActiveWindow(okno);
    ASSERT_TRUE(QTest::qWaitForWindowActive(okno));
    const int vysledek = Zobraz(thVarovani, QStringLiteral("x"), QString(), MB_YESNO,
                                [&](QMessageBox*) { okno->deleteLater(); });
    EXPECT_EQ(vysledek, 0);
}

} // namespace
