#pragma once

#include <windows.h>

namespace vantrel {

// Where a window of `velikost` stands centred over `vlastnik`, moved wholly onto the work area
// of the owner's monitor.
POINT NadVlastnikem(HWND vlastnik, SIZE velikost);

} // namespace vantrel
