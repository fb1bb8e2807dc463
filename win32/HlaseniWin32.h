#pragma once

// Before windows.h anywhere: support/Hlaseni.h names the message box values that windows.h
// defines as macros.
#include "support/Hlaseni.h"

#include <string>

struct HWND__;

namespace vantrel {

// The program's message boxes as the system draws them: MessageBoxW with the flags of the rules
// and the result as pressed.
class THlaseniWin32 : public THlaseni {
public:
    // The main window, once it exists. A box belongs to the modal window open over it (a
    // dialog, or another box), else to the main window; to none while the main window is not
    // shown, so that the box has a taskbar button of its own and cannot be lost behind others.
    void NastavHlavniOkno(HWND__* okno) { hlavniOkno_ = okno; }

protected:
    int Ukaz(const std::u16string& text, const std::u16string& titulek,
             int priznaky) const override;

private:
    HWND__* hlavniOkno_ = nullptr;
};

} // namespace vantrel
