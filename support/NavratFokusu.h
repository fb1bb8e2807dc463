#pragma once

#include <QObject>

namespace vantrel {

// Gives the activation back when a modal window of the program closes: to the window it belongs
// to, which then takes back the keyboard focus where it was. Without it a window manager may fall
// back to a window of its own (openbox does, when a box and its dialog close one after the
// other), and the main window's shortcuts do nothing until a click. Installed on the application.
class TNavratFokusu : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override;
};

} // namespace vantrel
