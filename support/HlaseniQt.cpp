#include "support/HlaseniQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <utility>
#include <vector>

namespace vantrel {

using namespace win32;

namespace {

// A message box that, like the Win32 one, cannot be dismissed without a button when it has no
// button that means "cancel" (Yes/No, Abort/Retry/Ignore). QMessageBox would pick No or Abort.
class TOknoHlaseni : public QMessageBox {
public:
    TOknoHlaseni(QWidget* vlastnik, bool lzeZrusit)
        : QMessageBox(vlastnik), lzeZrusit_(lzeZrusit) {}

protected:
    void keyPressEvent(QKeyEvent* udalost) override {
        if (!lzeZrusit_ && udalost->matches(QKeySequence::Cancel)) {
            udalost->accept();
            return;
        }
        QMessageBox::keyPressEvent(udalost);
    }

    void closeEvent(QCloseEvent* udalost) override {
        if (!lzeZrusit_) {
            udalost->ignore();
            return;
        }
        QMessageBox::closeEvent(udalost);
    }

private:
    bool lzeZrusit_;
};

struct TTlacitko {
    QMessageBox::StandardButton tlacitko;
    int vysledek;
};

// Buttons in the Win32 order, which is the order the default-button flags count in.
std::vector<TTlacitko> Tlacitka(int priznaky) {
    switch (priznaky & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT},
                {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        // MB_OK, and the values without buttons of their own here: the text is still shown.
        return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon Ikona(int priznaky) {
    switch (priznaky & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QString Radky(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

QWidget* THlaseniQt::Vlastnik() const {
    if (QWidget* dialog = QApplication::activeModalWidget();
        dialog != nullptr && dialog->isVisible())
        return dialog;
    if (hlavniOkno_ != nullptr && hlavniOkno_->isVisible())
        return hlavniOkno_;
    QWidget* aktivni = QApplication::activeWindow();
    return aktivni != nullptr && aktivni->isVisible() ? aktivni : nullptr;
}

int THlaseniQt::Ukaz(const std::u16string& text, const std::u16string& titulek,
                     int priznaky) const {
    const std::vector<TTlacitko> tlacitka = Tlacitka(priznaky);
    const bool jenOk = tlacitka.size() == 1;
    bool maStorno = false;
    for (const TTlacitko& t : tlacitka)
        maStorno = maStorno || t.vysledek == IDCANCEL;

    // Held by a guard: the owner may be destroyed while the box is open, taking the box with it.
    QPointer<TOknoHlaseni> okno = new TOknoHlaseni(Vlastnik(), jenOk || maStorno);
    okno->setIcon(Ikona(priznaky));
    okno->setWindowTitle(QString::fromStdU16String(titulek));
    okno->setTextFormat(Qt::PlainText);
    okno->setText(Radky(QString::fromStdU16String(text)));
    okno->setLayoutDirection(QGuiApplication::layoutDirection());

    std::vector<std::pair<QPushButton*, int>> vysledky;
    QPushButton* zruseni = nullptr;
    for (const TTlacitko& t : tlacitka) {
        QPushButton* b = okno->addButton(t.tlacitko);
        vysledky.emplace_back(b, t.vysledek);
        if (t.vysledek == IDCANCEL || jenOk)
            zruseni = b;
    }
    if (zruseni != nullptr)
        okno->setEscapeButton(zruseni);
    else
        okno->setWindowFlag(Qt::WindowCloseButtonHint, false);
    std::size_t vychozi = static_cast<std::size_t>((priznaky & MB_DEFMASK) >> 8);
    if (vychozi >= vysledky.size())
        vychozi = 0;
    okno->setDefaultButton(vysledky[vychozi].first);

    // Modal for the whole application: no other window takes input meanwhile.
    okno->setWindowModality(Qt::ApplicationModal);
    okno->exec();
    if (okno.isNull())
        return 0;

    int vysledek = 0;
    const QAbstractButton* stisknute = okno->clickedButton();
    for (const auto& [tlacitko, id] : vysledky) {
        if (tlacitko == stisknute)
            vysledek = id;
    }
    // 0 stays when the box was closed without any button, which only a caller from outside can do.
    delete okno.data();
    return vysledek;
}

} // namespace vantrel
