#pragma once

#include <QRect>

// Windows open at their described places, which are made for an ordinary
// screen. On a small screen, or a large scale factor, such a place can lie
// partly off the screen.
namespace OnScreen {

// window (its geometry in Qt's pixels) where it fits the available area of
// the screen it is on; else moved just enough to fit, and to the area's top
// or left edge where it is taller or wider than the area.
QRect Fit(const QRect &window);

// The same within a given available area.
QRect Fit(const QRect &window, const QRect &available);

} // namespace OnScreen
