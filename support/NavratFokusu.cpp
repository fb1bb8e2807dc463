#include "support/NavratFokusu.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace vantrel {

bool TNavratFokusu::eventFilter(QObject* objekt, QEvent* udalost) {
    if (udalost->type() != QEvent::Hide || !objekt->isWidgetType())
        return false;
    const auto* okno = static_cast<QWidget*>(objekt);
    if (!okno->isWindow() || !okno->isModal() || okno->parentWidget() == nullptr)
        return false;
    // The window is unmapped by now, so the request reaches the window manager after it.
    QWidget* vlastnik = okno->parentWidget()->window();
    const auto aktivuj = [vlastnik] {
        if (vlastnik->isVisible() && !vlastnik->isMinimized())
            vlastnik->activateWindow();
    };
    aktivuj();
    // The window manager may still fall back to a window of its own once it has handled the
    // request (openbox does, now and then, when a box and its dialog close one after the other):
    // while no window of the program is active, ask once more.
    QTimer::singleShot(250, vlastnik, [aktivuj] {
        if (QApplication::activeWindow() == nullptr && QApplication::activeModalWidget() == nullptr)
            aktivuj();
    });
    return false;
}

} // namespace vantrel
