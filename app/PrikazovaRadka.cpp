#include "app/PrikazovaRadka.h"

#include <cstdlib>

namespace vantrel {

const char* const PouzitiVantrel = "usage: vantrel [--help | --version]\n";

namespace {

constexpr const char* Napoveda =
    "\n"
    "Joins text files into one, in a window: Ins adds files to the list, F9 joins them\n"
    "into a file named in the save dialog. Files are added in the window, never on the\n"
    "command line.\n"
    "\n"
    "  -h, --help     show this help\n"
    "  --version      show the version\n"
    "\n"
    "Without a display, run it on a virtual one: xvfb-run vantrel\n"
    "To join files from scripts, use vantrel-join.\n";

bool Nastavena(const char* promenna) {
    const char* hodnota = std::getenv(promenna);
    return hodnota != nullptr && *hodnota != '\0';
}

} // namespace

TSpusteni RozhodniSpusteni(const std::vector<std::string>& argumenty, bool displej,
                           const std::string& verze) {
    if (argumenty.size() == 1 && (argumenty[0] == "--help" || argumenty[0] == "-h"))
        return {TSpusteni::Napoveda, std::string(PouzitiVantrel) + Napoveda, 0};
    if (argumenty.size() == 1 && argumenty[0] == "--version")
        return {TSpusteni::Verze, "vantrel " + verze + "\n", 0};
    if (!argumenty.empty()) {
        const std::string& prvni =
            argumenty[0] == "--help" || argumenty[0] == "-h" || argumenty[0] == "--version"
                ? argumenty[1]
                : argumenty[0];
        return {TSpusteni::ChybaPouziti,
                "vantrel: unexpected argument '" + prvni + "': files are added in the window\n" +
                    PouzitiVantrel,
                2};
    }
    if (!displej)
        return {TSpusteni::BezDispleje, TextBezDispleje(), 1};
    return {};
}

bool MaDisplej() {
    return Nastavena("DISPLAY") || Nastavena("WAYLAND_DISPLAY") || Nastavena("QT_QPA_PLATFORM");
}

std::string TextBezDispleje() {
    return "vantrel: no display could be opened; run it on a virtual one: xvfb-run vantrel\n";
}

} // namespace vantrel
