#include "platform/onscreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace OnScreen {

namespace {

// The start of a span of length size that is to lie within [first, first +
// room): start itself where it does, else the nearest start that does, else
// first.
int fitSpan(int start, int size, int first, int room)
{
    const int last = first + room - size;
    if (last < first)
        return first;
    return qBound(first, start, last);
}

} // namespace

QRect Fit(const QRect &window, const QRect &available)
{
    if (!available.isValid())
        return window;
    QRect fitted = window;
    fitted.moveTo(fitSpan(window.x(), window.width(), available.x(), available.width()),
                  fitSpan(window.y(), window.height(), available.y(), available.height()));
    return fitted;
}

QRect Fit(const QRect &window)
{
    QScreen *screen = QGuiApplication::screenAt(window.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? Fit(window, screen->availableGeometry()) : window;
}

} // namespace OnScreen
