#pragma once

#include "support/Hlaseni.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace vantrel {

// The message boxes drawn with QMessageBox. One shared instance.
class THlaseniQt : public THlaseni {
public:
    // The window that owns a box while no dialog is open. Taken from the main window itself,
    // not from the active window, which is unknown for a moment after a dialog has closed.
    void NastavHlavniOkno(QWidget* okno) { hlavniOkno_ = okno; }

    using THlaseni::Zobraz;
    int Zobraz(TTypHlaseni druh, const QString& text, const QString& titulek, int priznaky) const {
        return Zobraz(druh, text.toStdU16String(), titulek.toStdU16String(), priznaky);
    }

protected:
    // A modal box, centred on the window it belongs to (the open dialog, else the main window,
    // else none while neither is shown).
    //
    // Buttons from bits 0 to 3 (6 to 15 give a lone OK); icon from bits 4 to 7, where a value
    // that is none of the four icons (an OR such as 0x50) shows no icon; MB_DEFBUTTON2/3/4 choose
    // the default button, the first one when the box has fewer. Esc and the close button give
    // IDOK on a lone OK box, IDCANCEL on a box with Cancel, and do nothing on Yes/No and
    // Abort/Retry/Ignore. Further bits are ignored. CR, LF and CR LF in the text start a new line;
    // the text is never read as markup.
    int Ukaz(const std::u16string& text, const std::u16string& titulek,
             int priznaky) const override;

private:
    QWidget* Vlastnik() const;

    QPointer<QWidget> hlavniOkno_;
};

} // namespace vantrel
