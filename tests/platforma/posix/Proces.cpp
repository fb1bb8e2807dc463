#include "../../textfile/Pomocne.h"

#include <filesystem>

namespace vantrel::test {

int PocetOtevrenychSouboru() {
    int pocet = 0;
    for ([[maybe_unused]] auto& polozka : std::filesystem::directory_iterator("/proc/self/fd"))
        ++pocet;
    return pocet;
}

} // namespace vantrel::test
