#pragma once

#include <QIcon>
#include <QList>

namespace vantrel {

// Positions in the main window's action images (imlMenu).
enum ObrazekMenu : int {
    omKonec = 0,
    omPridat = 1,
    omSmazat = 2,
    omSmazatVse = 3,
    omSpojit = 4,
    omOAplikaci = 5,
    // The flags follow the six action images, in the order of ObrazkyVlajek().
    omPrvniVlajka = 6,
};

// The six 16 x 16 language flags in the order the language file's "index" names them:
// 0 Czech, 1 British, 2 Slovak, 3 German, 4 French, 5 Spanish.
QList<QIcon> ObrazkyVlajek();

// The twelve images of the main window's action list: the six action images (see ObrazekMenu),
// then the six flags of ObrazkyVlajek().
QList<QIcon> ObrazkyMenu();

// The program's own icon.
QIcon IkonaAplikace();

} // namespace vantrel
