#include "../../textfile/Pomocne.h"

#include <windows.h>

namespace vantrel::test {

int PocetOtevrenychSouboru() {
    DWORD pocet = 0;
    GetProcessHandleCount(GetCurrentProcess(), &pocet);
    return static_cast<int>(pocet);
}

std::string SouborSChybouCteni() {
    return {};
}

} // namespace vantrel::test
