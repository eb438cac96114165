#pragma once

#include <QFont>
#include <QString>

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
// the application's default, in place of the desktop's. Call once after the
// QApplication exists and before any window is created.
void Install();

// family at pointSize; a family that is not installed is drawn in its
// stand-in.
QFont Font(const QString &family, qreal pointSize);

// The family Font() asks for: family itself where it is installed, else its
// stand-in where that is installed, else family.
QString InstalledFamily(const QString &family);

} // namespace DialogFonts
