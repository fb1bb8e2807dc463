#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace vantrel::test {

// Plays steps against whatever modal window is active while a dialog runs its own loop. A step
// returns true when it has done its part; the next step starts on a later tick. Anything still
// open after the deadline is rejected, so a broken dialog fails the test instead of hanging it.
class TScenar {
public:
    using Krok = std::function<bool(QWidget*)>;

    explicit TScenar(std::vector<Krok> kroky) : kroky_(std::move(kroky)) {
        QObject::connect(&casovac_, &QTimer::timeout, [this] { Tik(); });
        casovac_.start(20);
        hodiny_.start();
    }
    bool Dohrano() const { return dalsi_ == kroky_.size(); }

private:
    void Tik() {
        QWidget* w = QApplication::activeModalWidget();
        if (hodiny_.elapsed() > 15000) {
            ADD_FAILURE() << "step " << dalsi_ << " never completed";
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            return;
        }
        if (w != nullptr && dalsi_ < kroky_.size() && kroky_[dalsi_](w))
            ++dalsi_;
    }

    std::vector<Krok> kroky_;
    std::size_t dalsi_ = 0;
    QTimer casovac_;
    QElapsedTimer hodiny_;
};

// True once the dialog's view lists every entry of its folder. Until then the file model is
// still loading, and a late load would change the selection under a name being typed.
inline bool SlozkaNactena(QFileDialog* d) {
    auto* pohled = d->findChild<QListView*>(QStringLiteral("listView"));
    if (pohled == nullptr || pohled->model() == nullptr)
        return false;
    const int polozek =
        static_cast<int>(d->directory().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
    return pohled->model()->rowCount(pohled->rootIndex()) >= polozek;
}

inline QLineEdit* PoleJmena(QWidget* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}
inline QComboBox* Kodovani(QWidget* dialog) {
    return dialog->findChild<QComboBox*>(QStringLiteral("cbKodovani"));
}

// The dialog's name field with the focus, once the dialog shows its folder; nullptr until then.
// Names go in as a user types them: into the focused field, which the view's selection then
// leaves alone.
inline QLineEdit* PoleSFokusem(QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    if (d == nullptr || !d->isVisible() || !SlozkaNactena(d))
        return nullptr;
    d->activateWindow();
    PoleJmena(d)->setFocus();
    return PoleJmena(d)->hasFocus() ? PoleJmena(d) : nullptr;
}

// Types a name into the dialog and confirms it as the Open/Save button would, from the dialog's
// own loop so that any question it asks can be answered by the next step.
inline TScenar::Krok NapisAPotvrd(const QString& jmeno) {
    return [jmeno](QWidget* w) {
        QLineEdit* pole = PoleSFokusem(w);
        if (pole == nullptr)
            return false;
        pole->setText(jmeno);
        QMetaObject::invokeMethod(w, "accept", Qt::QueuedConnection);
        return true;
    };
}

inline TScenar::Krok Zrus() {
    return [](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        if (d == nullptr)
            return false;
        d->reject();
        return true;
    };
}

// Answers a message box whose text contains `cast`, recording that it was seen.
inline TScenar::Krok Odpovez(const QString& cast, QMessageBox::StandardButton tlacitko) {
    return [cast, tlacitko](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box == nullptr)
            return false;
        EXPECT_TRUE(box->text().contains(cast)) << box->text().toStdString();
        EXPECT_NE(box->button(tlacitko), nullptr);
        if (box->button(tlacitko) != nullptr)
            box->button(tlacitko)->click();
        else
            box->reject();
        return true;
    };
}

} // namespace vantrel::test
