#include "platforma/Prikaz.h"

#include "platforma/Utf8.h"
#include "platforma/posix/Posix.h"

#include <unistd.h>

namespace vantrel::platforma {

const TKodovaStranka& KodovaStrankaZprav() {
    return ProcessCodePage();
}

std::string BajtyJmena(const std::u16string& cesta) {
    return KodujUtf8(cesta);
}

void ZapisZpravu(const std::string& bajty, bool naChybovyVystup) {
    const int fd = naChybovyVystup ? STDERR_FILENO : STDOUT_FILENO;
    for (std::size_t hotovo = 0; hotovo < bajty.size();) {
        const auto n = posix::Volej(TVolani::Zapis, fd, nullptr, [&](bool) {
            return ::write(fd, bajty.data() + hotovo, bajty.size() - hotovo);
        });
        if (n.kod != 0 || n.hodnota <= 0)
            return;
        hotovo += static_cast<std::size_t>(n.hodnota);
    }
}

} // namespace vantrel::platforma

int main(int argc, char** argv) {
    std::vector<std::u16string> argumenty;
    for (int i = 1; i < argc; ++i)
        argumenty.push_back(vantrel::DekodujUtf8(argv[i], std::char_traits<char>::length(argv[i])));
    return vantrel::SpustPrikaz(argumenty);
}
