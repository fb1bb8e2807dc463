#pragma once

// What the program makes of its command line, decided before anything touches a display. Plain
// C++: no toolkit.

#include <string>
#include <vector>

namespace vantrel {

struct TSpusteni {
    enum TCo { Okno, Napoveda, Verze, BezDispleje, ChybaPouziti };
    TCo Co = Okno;
    // The text to print: to standard output for Napoveda and Verze, else to standard error.
    std::string Text;
    // The exit status when the window is not opened.
    int Kod = 0;
};

// The usage line.
extern const char* const PouzitiVantrel;

// "--help" (or "-h") and "--version" alone answer without a display. Any other argument is a
// usage error: files are added in the window. Without arguments the window opens, or without a
// display the one line that says how to run it on a virtual one.
TSpusteni RozhodniSpusteni(const std::vector<std::string>& argumenty, bool displej,
                           const std::string& verze);

// Whether the environment names a display for Qt to open (X, Wayland, or a platform chosen
// outright, such as offscreen).
bool MaDisplej();

// The line printed when no display could be opened.
std::string TextBezDispleje();

} // namespace vantrel
