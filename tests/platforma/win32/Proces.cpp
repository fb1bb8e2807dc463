#include "../../textfile/Pomocne.h"

#include <windows.h>

namespace vantrel::test {

int PocetOtevrenychSouboru() {
    DWORD pocet = 0;
    GetProcessHandleCount(GetCurrentProcess(), &pocet);
    return static_cast<int>(pocet);
}

} // namespace vantrel::test
