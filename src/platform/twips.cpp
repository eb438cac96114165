#include "platform/twips.h"

#include <cmath>

namespace Twips {

int ToPixels(int twips)
{
    return int(std::lround(double(twips) / PerPixel));
}

QPoint Point(int x, int y)
{
    return {ToPixels(x), ToPixels(y)};
}

QSize Size(int width, int height)
{
    return {ToPixels(width), ToPixels(height)};
}

// Each edge is rounded on its own, so controls that touch in twips touch in
// pixels too.
QRect Rect(int left, int top, int width, int height)
{
    const QPoint topLeft = Point(left, top);
    const QPoint end = Point(left + width, top + height);
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

} // namespace Twips
