// Shows the open dialog, or with "save" the save dialog, for a look at the encoding row.
#include "win32/TextoveDialogy.h"

#include <cstring>

int main(int argc, char** argv) {
    vantrel::TOpenTextFileDialog otevrit;
    vantrel::TSaveTextFileDialog ulozit;
    vantrel::TTextFileDialog& dialog = argc > 1 && std::strcmp(argv[1], "save") == 0
                                           ? static_cast<vantrel::TTextFileDialog&>(ulozit)
                                           : otevrit;
    return dialog.Execute(nullptr) ? 0 : 1;
}
