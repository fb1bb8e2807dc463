#pragma once

#include "support/Meritko.h"

class QFont;
class QPushButton;

namespace vantrel {

// The design scale of a window drawn with `pismo` (MeritkoNavrhu of its size in pixels).
double MeritkoNavrhu(const QFont& pismo);

// The width of a button: its designed width, or more where its caption needs two characters'
// room on either side.
int SirkaTlacitka(const QPushButton& tlacitko, int navrzenaSirka);

} // namespace vantrel
