#include "support/NavratFokusu.h"

#include <QEvent>
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
    if (vlastnik->isVisible() && !vlastnik->isMinimized())
        vlastnik->activateWindow();
    return false;
}

} // namespace vantrel
