#pragma once

#include <QFont>
#include <QString>

class QWidget;

// The fonts the windows are designed in, and the fonts that stand in for them
// where they are not installed: metric-compatible ones, so every caption
// still fits its control.
namespace DialogFonts {

inline const QString SansSerif = QStringLiteral("MS Sans Serif");
inline const QString Fixed = QStringLiteral("Courier New");
inline const QString SansSerifStandIn = QStringLiteral("Liberation Sans");
inline const QString FixedStandIn = QStringLiteral("Liberation Mono");
constexpr qreal DialogPointSize = 8.25;

// Registers the stand-ins and makes the dialog font ("MS Sans Serif" 8.25 pt)
// the application's default, in place of the desktop's; menus keep the
// desktop's menu fonts. Call once after the QApplication exists and before
// any window is created.
void Install();

// family at pointSize; a family that is not installed is drawn in its
// stand-in. The font is complete: nothing of the desktop's font fills in.
QFont Font(const QString &family, qreal pointSize);

// Gives window (or the part of it that holds its controls) the dialog font,
// which its fixed layout is measured for, whatever font the desktop later
// sets for every program.
void Apply(QWidget *window);

// The family Font() asks for: family itself where it is installed, else its
// stand-in where that is installed, else family.
QString InstalledFamily(const QString &family);

} // namespace DialogFonts
