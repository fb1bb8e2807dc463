#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace vantrel {

// Where a stored window placement is shown, given the screens' available areas: a size beyond the
// area of the screen it is on (or nearest to) shrinks to that area, though never below
// `minimum`, so a bogus stored value cannot make a window of gigabytes; and a window entirely off
// every screen (a monitor since removed) moves onto the nearest one. Without screens the
// placement stays as it is.
QRect UmisteniNaObrazovkach(const QRect& okno, const QList<QRect>& plochy, const QSize& minimum);

} // namespace vantrel
