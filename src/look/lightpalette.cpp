#include "look/lightpalette.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace LightPalette {

QPalette Palette()
{
    // Fusion's palette is Qt's light one, the same on every desktop.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette =
        fusion ? fusion->standardPalette() : QApplication::style()->standardPalette();
    // Qt's highlight blue, two thirds as bright: 6:1 on the window's grey and
    // 7:1 under white text.
    const QColor highlight(32, 93, 132);
    // A grey under which white text reaches 4.5:1.
    const QColor workspace(110, 110, 110);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, highlight);
        palette.setColor(group, QPalette::Dark, workspace);
    }
    return palette;
}

void Install()
{
    QApplication::setPalette(Palette());
}

} // namespace LightPalette
