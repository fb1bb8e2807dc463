#include "app/TextoveDialogy.h"

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

} // namespace

const QStringList& TTextFileDialog::Encodings() {
    static const QStringList kodovani = {
        QStringLiteral("ANSI"),    QStringLiteral("ASCII"),
        QStringLiteral("Unicode"), QStringLiteral("Big Endian Unicode"),
        QStringLiteral("UTF-8"),   QStringLiteral("UTF-7")};
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
    cbKodovani_->setCurrentIndex(encodingIndex_);
    if (!fileName_.isEmpty())
        selectFile(fileName_);
    return exec() == QDialog::Accepted;
}

void TTextFileDialog::done(int vysledek) {
    // The name field's completion list is a window of its own, which would outlive the dialog
    // on the screen (and keep the keyboard) after Enter confirmed a name typed in full.
    if (auto* pole = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        pole != nullptr && pole->completer() != nullptr)
        pole->completer()->popup()->hide();
    encodingIndex_ = cbKodovani_->currentIndex();
    if (vysledek == QDialog::Accepted)
        Potvrzeno(selectedFiles());
    QFileDialog::done(vysledek);
}

void TTextFileDialog::Potvrzeno(const QStringList& soubory) {
    fileName_ = soubory.value(0);
}

TOpenTextFileDialog::TOpenTextFileDialog(QWidget* parent)
    : TTextFileDialog(parent, QFileDialog::AcceptOpen) {
    setFileMode(QFileDialog::ExistingFiles);
}

// The files in the order their names stand in the name field, which is the order the user gave
// them: Qt takes them from the view's selection, which the folder's sorting reorders once the
// folder has loaded, so its own order would depend on timing.
void TOpenTextFileDialog::Potvrzeno(const QStringList& soubory) {
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
    if (QMessageBox::question(
            this, windowTitle(),
            tr("%1 does not exist.\nDo you want to create it?").arg(info.fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes)
        QFileDialog::accept();
}

} // namespace vantrel
