#pragma once

#include <QPalette>

// The light palette Rubrio's windows are drawn in, whatever the desktop's
// scheme. Their fixed colours (the light yellow list, the dark red letters,
// the black labels of the About box) are made for a light window, and on it
// every text drawn in the system's colours reaches a contrast of 4.5:1: Qt's
// own light palette, with a darker highlight (the column headings are drawn
// in it) and a darker workspace colour (behind the white "Label3").
namespace LightPalette {

QPalette Palette();

// Makes it the application's palette; the desktop's scheme, now or later,
// changes nothing. Call once the QApplication exists.
void Install();

} // namespace LightPalette
