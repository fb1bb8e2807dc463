#pragma once

namespace vantrel {

// How many times larger than designed a window is drawn with a text whose em is `pixelu`
// pixels: the windows are designed in pixels at 96 dpi for the desktop's ordinary text there
// (9 points, 12 pixels to the em), and grow with a larger text as forms of the defined platform
// do. Never below 1.
double MeritkoNavrhu(int pixelu);

// A designed length in pixels at that scale.
int Navrh(int delka, double meritko);

} // namespace vantrel
