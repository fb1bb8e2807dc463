#include "app/TextoveDialogy.h"

#include "platforma/KodovaStranka.h"
#include "platforma/Soubory.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>
#include <utility>
#include <vector>

namespace vantrel {

namespace {

// The names in the dialog's name field, in their order: several in double quotes, or one.
QStringList JmenaVPoli(const QString& text) {
    QStringList jmena;
    if (!text.contains(u'"'))
        return {text.trimmed()};
    const QStringList casti = text.split(u'"');
    for (qsizetype i = 1; i < casti.size(); i += 2)
        jmena.append(casti[i]);
    return jmena;
}

// The path with its last name in the locale's codeset, where that differs; empty otherwise.
QString VKodoveStrance(const QString& cesta) {
    return QString::fromStdU16String(
        CestaVKodoveStrance(cesta.toStdU16String(), ProcessCodePage()));
}

bool Existuje(const QString& cesta) {
    platforma::TIdentita identita{};
    return platforma::Identita(cesta.toStdU16String(), identita);
}

} // namespace

QString CitelnaCesta(const QString& cesta) {
    return QString::fromStdU16String(CitelnaCesta(cesta.toStdU16String(), ProcessCodePage()));
}

const QStringList& TTextFileDialog::Encodings() {
    static const QStringList kodovani = [] {
        QStringList seznam;
        for (const char16_t* polozka : TStavTextovehoDialogu::Encodings)
            seznam.append(QString::fromUtf16(polozka));
        return seznam;
    }();
    return kodovani;
}

TTextFileDialog::TTextFileDialog(QWidget* parent, AcceptMode rezim) : QFileDialog(parent) {
    // Only Qt's own dialog has a layout that the encoding row can join.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(rezim);
    setSizeGripEnabled(true);
    PridejRadekKodovani();
}

void TTextFileDialog::PridejRadekKodovani() {
    lblKodovani_ = new QLabel(QStringLiteral("Encoding:"), this);
    lblKodovani_->setObjectName(QStringLiteral("lblKodovani"));
    cbKodovani_ = new QComboBox(this);
    cbKodovani_->setObjectName(QStringLiteral("cbKodovani"));
    cbKodovani_->setEditable(false);
    cbKodovani_->addItems(Encodings());
    lblKodovani_->setBuddy(cbKodovani_);

    auto* typ = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* lblTyp = findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
    auto* mrizka = qobject_cast<QGridLayout*>(layout());
    const int iTyp = mrizka != nullptr && typ != nullptr ? mrizka->indexOf(typ) : -1;
    const int iLblTyp = mrizka != nullptr && lblTyp != nullptr ? mrizka->indexOf(lblTyp) : -1;
    if (iTyp >= 0 && iLblTyp >= 0) {
        int r, c, rs, cs, lr, lc, lrs, lcs;
        mrizka->getItemPosition(iTyp, &r, &c, &rs, &cs);
        mrizka->getItemPosition(iLblTyp, &lr, &lc, &lrs, &lcs);
        const int radek = mrizka->rowCount();
        mrizka->addWidget(lblKodovani_, radek, lc, 1, lcs);
        // Same columns and size policy: the list keeps the file-type box's width on resize.
        mrizka->addWidget(cbKodovani_, radek, c, 1, cs);
        cbKodovani_->setSizePolicy(typ->sizePolicy());
        cbKodovani_->setMinimumWidth(typ->minimumWidth());
    } else if (auto* box = qobject_cast<QBoxLayout*>(layout())) {
        auto* radek = new QHBoxLayout;
        radek->addWidget(lblKodovani_);
        radek->addWidget(cbKodovani_, 1);
        box->addLayout(radek);
    }
}

bool TTextFileDialog::Execute() {
    cbKodovani_->setCurrentIndex(stav_.EncodingIndex());
    if (!stav_.FileName().empty())
        selectFile(CitelnaCesta(FileName()));
    return exec() == QDialog::Accepted;
}

void TTextFileDialog::done(int vysledek) {
    // The name field's completion list is a window of its own, which would outlive the dialog
    // on the screen (and keep the keyboard) after Enter confirmed a name typed in full.
    if (auto* pole = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        pole != nullptr && pole->completer() != nullptr)
        pole->completer()->popup()->hide();
    stav_.Zavreno(cbKodovani_->currentIndex());
    if (vysledek == QDialog::Accepted)
        Potvrzeno(selectedFiles());
    QFileDialog::done(vysledek);
}

void TTextFileDialog::Potvrzeno(const QStringList& soubory) {
    if (!soubory.isEmpty())
        stav_.Potvrzeno({soubory.first().toStdU16String()});
}

TOpenTextFileDialog::TOpenTextFileDialog(QWidget* parent)
    : TTextFileDialog(parent, QFileDialog::AcceptOpen) {
    setFileMode(QFileDialog::ExistingFiles);
}

// The files in the order their names stand in the name field, which is the order the user gave
// them: Qt takes them from the view's selection, which the folder's sorting reorders once the
// folder has loaded, so its own order would depend on timing.
void TOpenTextFileDialog::accept() {
    vyberVKodoveStrance_.clear();
    const auto* pole = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QDir slozka = directory();
    QStringList vyber;
    bool vKodoveStrance = false;
    for (const QString& jmeno : pole != nullptr ? JmenaVPoli(pole->text()) : QStringList()) {
        const QString cesta = QDir::cleanPath(slozka.absoluteFilePath(jmeno));
        if (jmeno.isEmpty() || QFileInfo::exists(cesta)) {
            vyber.append(cesta);
            continue;
        }
        const QString jinak = VKodoveStrance(cesta);
        if (jinak.isEmpty() || !Existuje(jinak)) {
            // Found in neither form: Qt's own check refuses it.
            QFileDialog::accept();
            return;
        }
        vyber.append(jinak);
        vKodoveStrance = true;
    }
    if (!vKodoveStrance) {
        QFileDialog::accept();
        return;
    }
    vyberVKodoveStrance_ = vyber;
    QDialog::accept();
}

void TOpenTextFileDialog::Potvrzeno(const QStringList& soubory) {
    if (!vyberVKodoveStrance_.isEmpty()) {
        files_ = std::exchange(vyberVKodoveStrance_, {});
        TTextFileDialog::Potvrzeno(files_);
        return;
    }
    const auto* pole = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QStringList jmena = pole != nullptr ? JmenaVPoli(pole->text()) : QStringList();
    const QDir slozka = directory();
    // Each path's place in the field, looked up once: a selection may hold thousands of files.
    QHash<QString, qsizetype> mista;
    for (qsizetype i = jmena.size() - 1; i >= 0; --i)
        mista.insert(QDir::cleanPath(slozka.absoluteFilePath(jmena[i])), i);
    std::vector<std::pair<qsizetype, QString>> serazene;
    for (const QString& soubor : soubory)
        serazene.emplace_back(mista.value(QDir::cleanPath(soubor), jmena.size()), soubor);
    std::stable_sort(serazene.begin(), serazene.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    files_.clear();
    for (const auto& [misto, soubor] : serazene)
        files_.append(soubor);
    TTextFileDialog::Potvrzeno(files_);
}

TSaveTextFileDialog::TSaveTextFileDialog(QWidget* parent)
    : TTextFileDialog(parent, QFileDialog::AcceptSave) {
    setFileMode(QFileDialog::AnyFile);
}

void TSaveTextFileDialog::accept() {
    vystupVKodoveStrance_.clear();
    const QStringList soubory = selectedFiles();
    if (soubory.size() != 1) {
        QFileDialog::accept();
        return;
    }
    const QFileInfo info(soubory.first());
    if (info.exists() || info.isDir()) {
        // Qt navigates into a folder and asks its own replace question for a file.
        QFileDialog::accept();
        return;
    }
    if (!info.absoluteDir().exists()) {
        QMessageBox::warning(this, windowTitle(),
                             tr("%1\nThe folder does not exist.\nCheck the path and try again.")
                                 .arg(QDir::toNativeSeparators(info.absoluteFilePath())));
        return;
    }
    // In a locale of another codeset the name is that codeset's bytes, also when a file of that
    // name exists, which Qt does not see: then it is the replace question that is asked.
    const QString jinak = VKodoveStrance(info.absoluteFilePath());
    const bool nahradit = !jinak.isEmpty() && Existuje(jinak);
    const bool ano =
        nahradit ? QMessageBox::warning(
                       this, windowTitle(),
                       tr("%1 already exists.\nDo you want to replace it?").arg(info.fileName()),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes
                 : QMessageBox::question(
                       this, windowTitle(),
                       tr("%1 does not exist.\nDo you want to create it?").arg(info.fileName()),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    if (!ano)
        return;
    if (jinak.isEmpty()) {
        QFileDialog::accept();
        return;
    }
    vystupVKodoveStrance_ = jinak;
    QDialog::accept();
}

void TSaveTextFileDialog::Potvrzeno(const QStringList& soubory) {
    TTextFileDialog::Potvrzeno(
        vystupVKodoveStrance_.isEmpty() ? soubory : QStringList{vystupVKodoveStrance_});
}

} // namespace vantrel
