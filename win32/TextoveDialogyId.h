#pragma once

// The encoding row that the template TEXTFILEDLG adds to the open and save dialogs; shared by
// the resource script and the code.
#define TEXTFILEDLG_KODOVANI_POPIS 1101
#define TEXTFILEDLG_KODOVANI 1102
