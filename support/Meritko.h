#pragma once

class QFont;
class QPushButton;

namespace vantrel {

// How many times larger than designed a window is drawn with `pismo`: the windows are designed
// in pixels at 96 dpi for the desktop's ordinary text there (9 points, 12 pixels to the em), and
// grow with a larger text as forms of the defined platform do. Never below 1.
double MeritkoNavrhu(const QFont& pismo);

// A designed length in pixels at that scale.
int Navrh(int delka, double meritko);

// The width of a button: its designed width, or more where its caption needs two characters'
// room on either side.
int SirkaTlacitka(const QPushButton& tlacitko, int navrzenaSirka);

} // namespace vantrel
