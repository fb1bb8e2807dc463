#pragma once

// The open and save dialogs for text files: Qt's own (non-native) file dialog with an extra
// "Encoding:" row. The encoding picked there is only remembered per dialog, never used: files
// are always read and written in the process code page.

#include "support/StavTextovehoDialogu.h"

#include <QFileDialog>
#include <QStringList>

class QComboBox;
class QLabel;

namespace vantrel {

// A path as the user reads it in the locale: a name in the locale's codeset (bytes that are not
// UTF-8) decoded in it.
QString CitelnaCesta(const QString& cesta);

class TTextFileDialog : public QFileDialog {
    Q_OBJECT

public:
    // "ANSI", "ASCII", "Unicode", "Big Endian Unicode", "UTF-8", "UTF-7"; never translated.
    static const QStringList& Encodings();

    // Shows the dialog modally over its parent, proposing FileName(); true when confirmed.
    bool Execute();
    // The last confirmed result; empty until the first confirmation.
    QString FileName() const { return QString::fromStdU16String(stav_.FileName()); }
    // 0..5 into Encodings(); kept whenever the dialog closes, confirmed or not.
    int EncodingIndex() const { return stav_.EncodingIndex(); }

protected:
    TTextFileDialog(QWidget* parent, AcceptMode rezim);
    void done(int vysledek) override;
    // Called with the chosen paths just before a confirmed dialog closes.
    virtual void Potvrzeno(const QStringList& soubory);

private:
    void PridejRadekKodovani();

    QLabel* lblKodovani_ = nullptr;
    QComboBox* cbKodovani_ = nullptr;
    TStavTextovehoDialogu stav_;
};

// Chooses one or more existing files; a name that does not exist is refused inside the dialog.
class TOpenTextFileDialog : public TTextFileDialog {
    Q_OBJECT

public:
    explicit TOpenTextFileDialog(QWidget* parent = nullptr);
    // Full paths of the last confirmed selection, in the dialog's order; FileName() is the first.
    QStringList Files() const { return files_; }

protected:
    // A typed name that Qt finds nowhere may be a file whose name is in the locale's codeset,
    // which Qt neither lists nor opens: that file is taken.
    void accept() override;
    void Potvrzeno(const QStringList& soubory) override;

private:
    QStringList files_;
    QStringList vyberVKodoveStrance_;
};

// Chooses the output file. An existing file brings Qt's replace question, a new one our create
// question; only a yes confirms, otherwise the dialog stays open.
class TSaveTextFileDialog : public TTextFileDialog {
    Q_OBJECT

public:
    explicit TSaveTextFileDialog(QWidget* parent = nullptr);

protected:
    // A new name is written in the locale's codeset, as the user's other names are; Qt would
    // write it in UTF-8.
    void accept() override;
    void Potvrzeno(const QStringList& soubory) override;

private:
    QString vystupVKodoveStrance_;
};

} // namespace vantrel
