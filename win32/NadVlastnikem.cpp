#include "win32/NadVlastnikem.h"

#include <algorithm>

namespace vantrel {

POINT NadVlastnikem(HWND vlastnik, SIZE velikost) {
    RECT nadOknem{};
    GetWindowRect(vlastnik, &nadOknem);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(vlastnik, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& plocha = monitor.rcWork;
    return {std::clamp<LONG>((nadOknem.left + nadOknem.right - velikost.cx) / 2, plocha.left,
                             std::max(plocha.left, plocha.right - velikost.cx)),
            std::clamp<LONG>((nadOknem.top + nadOknem.bottom - velikost.cy) / 2, plocha.top,
                             std::max(plocha.top, plocha.bottom - velikost.cy))};
}

} // namespace vantrel
