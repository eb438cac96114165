#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window layouts are described in twips (1/1440 inch); at 96 dpi logical,
// 15 twips make one device-independent pixel.
namespace Twips {

constexpr int PerPixel = 15;

int ToPixels(int twips);
QPoint Point(int x, int y);
QSize Size(int width, int height);
QRect Rect(int left, int top, int width, int height);

} // namespace Twips
