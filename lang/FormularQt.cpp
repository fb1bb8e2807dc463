#include "lang/FormularQt.h"

#include "lang/JazykyXML.h"
#include "lang/Znacky.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace vantrel {

namespace {

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QTabWidget* ZalozkyStranky(QWidget* w) {
    auto* zasobnik = qobject_cast<QStackedWidget*>(w->parentWidget());
    if (!zasobnik)
        return nullptr;
    auto* zalozky = qobject_cast<QTabWidget*>(zasobnik->parentWidget());
    return zalozky && zalozky->indexOf(w) >= 0 ? zalozky : nullptr;
}

bool JeZaskrtavaciSeznam(const QListWidget& seznam) {
    const QVariant urceno = seznam.property("CheckList");
    if (urceno.isValid())
        return urceno.toBool();
    if (seznam.count() == 0)
        return false;
    for (int i = 0; i < seznam.count(); ++i) {
        // Items are user-checkable by default; only those with a check state show a box.
        if (!seznam.item(i)->data(Qt::CheckStateRole).isValid())
            return false;
    }
    return true;
}

// One QObject of the window; each kind's texts are read and written where Qt keeps them.
class TKomponentaQt : public TKomponenta {
public:
    explicit TKomponentaQt(QObject& objekt) : o_(objekt) {}

    unsigned Druhy() const override {
        auto* widget = qobject_cast<QWidget*>(&o_);
        const bool menu = qobject_cast<QMenu*>(&o_) != nullptr;
        auto* tlacitko = qobject_cast<QPushButton*>(&o_);
        auto* nastroj = qobject_cast<QToolButton*>(&o_);
        auto* seznam = qobject_cast<QListWidget*>(&o_);
        unsigned d = 0;
        const auto pridej = [&d](bool je, TDruhKomponenty druh) { d |= je ? druh : 0u; };
        pridej(widget && !menu, dkVizualni);
        pridej(tlacitko, dkTlacitko);
        pridej(qobject_cast<QLabel*>(&o_), dkPopisek);
        pridej(menu, dkPolozkaMenu);
        pridej(qobject_cast<QAction*>(&o_), dkAkce);
        pridej(qobject_cast<QGroupBox*>(&o_), dkSkupina);
        pridej(widget && ZalozkyStranky(widget), dkStranka);
        pridej(qobject_cast<QTreeWidget*>(&o_), dkSeznam);
        pridej(nastroj && nastroj->autoRaise(), dkNastrojoveTlacitko);
        pridej(qobject_cast<QCheckBox*>(&o_), dkZaskrtavatko);
        pridej(qobject_cast<QComboBox*>(&o_), dkKombo);
        pridej(qobject_cast<QRadioButton*>(&o_), dkPrepinac);
        pridej(seznam && JeZaskrtavaciSeznam(*seznam), dkZaskrtavaciSeznam);
        pridej(tlacitko && !tlacitko->icon().isNull(), dkTlacitkoSObrazkem);
        return d;
    }
    std::u16string Jmeno() const override { return o_.objectName().toStdU16String(); }
    int Znacka() const override { return vantrel::Znacka(&o_); }

    std::u16string Titulek() const override {
        if (auto* tlacitko = qobject_cast<QAbstractButton*>(&o_))
            return tlacitko->text().toStdU16String();
        if (auto* popisek = qobject_cast<QLabel*>(&o_))
            return popisek->text().toStdU16String();
        if (auto* menu = qobject_cast<QMenu*>(&o_))
            return menu->title().toStdU16String();
        if (auto* akce = qobject_cast<QAction*>(&o_))
            return akce->text().toStdU16String();
        if (auto* skupina = qobject_cast<QGroupBox*>(&o_))
            return skupina->title().toStdU16String();
        return {};
    }
    void NastavTitulek(const std::u16string& titulek) override {
        if (auto* tlacitko = qobject_cast<QAbstractButton*>(&o_)) {
            tlacitko->setText(Q(titulek));
        } else if (auto* popisek = qobject_cast<QLabel*>(&o_)) {
            // Texts of the language file are character data, never markup.
            popisek->setTextFormat(Qt::PlainText);
            popisek->setText(Q(titulek));
        } else if (auto* menu = qobject_cast<QMenu*>(&o_)) {
            menu->setTitle(Q(titulek));
        } else if (auto* akce = qobject_cast<QAction*>(&o_)) {
            akce->setText(Q(titulek));
        } else if (auto* skupina = qobject_cast<QGroupBox*>(&o_)) {
            skupina->setTitle(Q(titulek));
        }
    }
    std::u16string TitulekStranky() const override {
        QTabWidget* zalozky = Zalozky();
        return zalozky ? zalozky->tabText(zalozky->indexOf(Widget())).toStdU16String()
                       : std::u16string();
    }
    void NastavTitulekStranky(const std::u16string& titulek) override {
        if (QTabWidget* zalozky = Zalozky())
            zalozky->setTabText(zalozky->indexOf(Widget()), Q(titulek));
    }

    std::u16string Hint() const override { return vantrel::Hint(&o_).toStdU16String(); }
    void NastavHint(const std::u16string& hint) override { vantrel::NastavHint(&o_, Q(hint)); }
    bool ZobrazHint() const override { return vantrel::ZobrazHint(&o_); }

    int PocetPolozek() const override {
        if (auto* kombo = qobject_cast<QComboBox*>(&o_))
            return kombo->count();
        if (auto* seznam = qobject_cast<QListWidget*>(&o_))
            return seznam->count();
        return 0;
    }
    std::u16string Polozka(int i) const override {
        if (auto* kombo = qobject_cast<QComboBox*>(&o_))
            return kombo->itemText(i).toStdU16String();
        return qobject_cast<QListWidget*>(&o_)->item(i)->text().toStdU16String();
    }
    void NastavPolozku(int i, const std::u16string& text) override {
        if (auto* kombo = qobject_cast<QComboBox*>(&o_))
            kombo->setItemText(i, Q(text));
        else
            qobject_cast<QListWidget*>(&o_)->item(i)->setText(Q(text));
    }

    int PocetSloupcu() const override { return Seznam()->columnCount(); }
    int ZnackaSloupce(int i) const override { return vantrel::ZnackaSloupce(Seznam(), i); }
    std::u16string Sloupec(int i) const override {
        return Seznam()->headerItem()->text(i).toStdU16String();
    }
    void NastavSloupec(int i, const std::u16string& text) override {
        Seznam()->headerItem()->setText(i, Q(text));
    }

private:
    QTreeWidget* Seznam() const { return qobject_cast<QTreeWidget*>(&o_); }
    QWidget* Widget() const { return qobject_cast<QWidget*>(&o_); }
    QTabWidget* Zalozky() const { return Widget() ? ZalozkyStranky(Widget()) : nullptr; }

    QObject& o_;
};

void SesbirejPotomky(QObject& rodic, std::vector<std::unique_ptr<TKomponenta>>& komponenty) {
    for (QObject* dite : rodic.children()) {
        // A dialog owned by the window is a window of its own, translated in its own section;
        // a menu is a window too, but it belongs to this one.
        auto* widget = qobject_cast<QWidget*>(dite);
        if (widget != nullptr && widget->isWindow() && qobject_cast<QMenu*>(widget) == nullptr)
            continue;
        if (!dite->objectName().isEmpty())
            komponenty.push_back(std::make_unique<TKomponentaQt>(*dite));
        SesbirejPotomky(*dite, komponenty);
    }
}

} // namespace

TFormularQt::TFormularQt(QWidget& okno) : okno_(okno) {}

TFormularQt::~TFormularQt() = default;

std::u16string TFormularQt::Jmeno() const {
    return okno_.objectName().toStdU16String();
}

int TFormularQt::Znacka() const {
    return vantrel::Znacka(&okno_);
}

std::u16string TFormularQt::Titulek() const {
    return okno_.windowTitle().toStdU16String();
}

void TFormularQt::NastavTitulek(const std::u16string& titulek) {
    okno_.setWindowTitle(Q(titulek));
}

std::vector<TKomponenta*> TFormularQt::Komponenty() {
    komponenty_.clear();
    SesbirejPotomky(okno_, komponenty_);
    std::vector<TKomponenta*> vysledek;
    for (const auto& k : komponenty_)
        vysledek.push_back(k.get());
    return vysledek;
}

void PrelozFormular(const TJazykXML& jazyk, QWidget& okno) {
    TFormularQt formular(okno);
    jazyk.PrelozFormular(formular);
}

} // namespace vantrel
