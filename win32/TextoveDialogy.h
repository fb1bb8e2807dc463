#pragma once

#include "support/StavTextovehoDialogu.h"

#include <cstddef>
#include <string>
#include <vector>

struct HWND__;

namespace vantrel {

// The open and save dialogs for text files: the system's own, with the encoding row of the
// template TEXTFILEDLG, which this library's resource script adds to the program. The row's
// choice is remembered per dialog and never used: files are always read and written in the
// process code page.
class TTextFileDialog {
public:
    TTextFileDialog(const TTextFileDialog&) = delete;
    TTextFileDialog& operator=(const TTextFileDialog&) = delete;
    virtual ~TTextFileDialog() = default;

    // Shows the dialog modally over `vlastnik`, proposing FileName(); true when confirmed.
    // Throws std::runtime_error when the system cannot show it.
    bool Execute(HWND__* vlastnik);
    // The last confirmed result; empty until the first confirmation.
    const std::u16string& FileName() const { return stav_.FileName(); }
    // 0..5 into TStavTextovehoDialogu::Encodings; kept whenever the dialog closes.
    int EncodingIndex() const { return stav_.EncodingIndex(); }

protected:
    TTextFileDialog(bool otevrit, unsigned long volby, std::size_t velikostVysledku);

    // Full paths of the last confirmed result, in the dialog's order.
    std::vector<std::u16string> soubory_;

private:
    friend class THakTextovehoDialogu;

    bool otevrit_;
    unsigned long volby_;
    std::size_t velikostVysledku_; // characters, the terminating ones included
    TStavTextovehoDialogu stav_;
};

// Chooses one or more existing files; a name that does not exist is refused inside the dialog.
// A selection that does not fit in 65519 characters ends the dialog as cancelled.
class TOpenTextFileDialog : public TTextFileDialog {
public:
    TOpenTextFileDialog() : TOpenTextFileDialog(65519) {}
    // Full paths of the last confirmed selection, in the dialog's order; FileName() is the
    // first.
    const std::vector<std::u16string>& Files() const { return soubory_; }

protected:
    // A result of at most that many characters, the terminating ones included.
    explicit TOpenTextFileDialog(std::size_t velikostVysledku);
};

// Chooses the output file. An existing file brings the replace question, a new one the create
// question; only a yes confirms, otherwise the dialog stays open.
class TSaveTextFileDialog : public TTextFileDialog {
public:
    TSaveTextFileDialog();
};

} // namespace vantrel
