#pragma once

// The main window under test: a fixture with a settings folder and a data folder of its own,
// and the steps that answer its dialogs and boxes.

#include "Scenar.h"
#include "app/Sluzby.h"
#include "app/fHlavni.h"
#include "platforma/Registr.h"
#include "pravidla/convar.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace vantrel::test {

// A message box seen by a scenario: its text, caption, owner and centre, answered with
// `odpoved`.
struct TVidenyBox {
    QString text, titulek;
    bool videny = false;
    QWidget* vlastnik = nullptr;
    QPoint stred;
};

inline TScenar::Krok Zaznamenej(TVidenyBox& box, QMessageBox::StandardButton odpoved) {
    return [&box, odpoved](QWidget* w) {
        auto* zprava = qobject_cast<QMessageBox*>(w);
        if (zprava == nullptr)
            return false;
        box = {zprava->text(), zprava->windowTitle(), true, zprava->parentWidget(),
               zprava->frameGeometry().center()};
        if (QAbstractButton* tlacitko = zprava->button(odpoved))
            tlacitko->click();
        else
            zprava->reject();
        return true;
    };
}

// Chooses files in the open dialog: their folder first, then their names typed in.
inline TScenar::Krok Vyber(const QString& slozka, const QStringList& jmena) {
    return [slozka, jmena](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        if (d == nullptr || !d->isVisible())
            return false;
        if (d->directory().absolutePath() != QDir(slozka).absolutePath()) {
            d->setDirectory(slozka);
            return false;
        }
        QString text;
        for (const QString& jmeno : jmena)
            text += QStringLiteral("\"%1\" ").arg(jmeno);
        return NapisAPotvrd(text.trimmed())(w);
    };
}

// Names the output in the save dialog and answers its question (create or replace) with yes.
inline std::vector<TScenar::Krok> Uloz(const QString& cesta) {
    return {[cesta](QWidget* w) {
                auto* d = qobject_cast<QFileDialog*>(w);
                if (d == nullptr || !d->isVisible())
                    return false;
                const QString slozka = QFileInfo(cesta).absolutePath();
                if (d->directory().absolutePath() != slozka) {
                    d->setDirectory(slozka);
                    return false;
                }
                return NapisAPotvrd(QFileInfo(cesta).fileName())(w);
            },
            [](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box == nullptr)
                    return false;
                box->button(QMessageBox::Yes)->click();
                return true;
            }};
}

class HlavniFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(konfigurace_.isValid() && data_.isValid());
        qputenv("XDG_CONFIG_HOME", konfigurace_.path().toLocal8Bit());
        convar::NastavVychoziTexty();
    }

    std::unique_ptr<THlavniForm> Vytvor(const QString& jazyk = QString()) {
        auto okno = std::make_unique<THlavniForm>(sluzby_);
        okno->NastavCestuJazyka(jazyk.isEmpty() ? data_.filePath("chybi.xml") : jazyk);
        return okno;
    }

    void Zobraz(THlavniForm& okno) {
        okno.show();
        QApplication::processEvents();
    }

    QString Soubor(const QString& jmeno, const QByteArray& obsah) {
        QFile f(data_.filePath(jmeno));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(obsah);
        return f.fileName();
    }

    void Pridej(THlavniForm& okno, const QStringList& jmena) {
        TScenar scenar({Vyber(data_.path(), jmena)});
        okno.aPridat->trigger();
        ASSERT_TRUE(scenar.Dohrano());
    }

    static QByteArray Obsah(const QString& cesta) {
        QFile f(cesta);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    static void UlozHodnoty(std::initializer_list<std::pair<const char*, int>> cisla,
                            std::initializer_list<std::pair<const char*, const char*>> texty = {}) {
        TRegistr registr;
        ASSERT_TRUE(registr.OpenKey(TRegistr::KlicVantrel, true));
        for (const auto& [jmeno, hodnota] : texty)
            registr.WriteString(jmeno, hodnota);
        for (const auto& [jmeno, hodnota] : cisla)
            registr.WriteInteger(jmeno, hodnota);
    }

    QTemporaryDir konfigurace_, data_;
    TSluzby sluzby_;
};

} // namespace vantrel::test
