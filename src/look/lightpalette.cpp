#include "look/lightpalette.h"

#include <QApplication>

namespace LightPalette {

QPalette Palette()
{
    // Qt's light palette (the one its Fusion style draws in), built here from
    // its colours: a style or platform theme asked for it answers with the
    // desktop's scheme where that is dark. Every role of every group is set,
    // so nothing of the desktop's palette shows through.
    const QColor window(239, 239, 239);
    const QColor text(Qt::black);
    const QColor dark = window.darker(150);
    const QColor mid = window.darker(130);
    const QColor disabledText(190, 190, 190);
    const QColor link(0, 0, 255);
    QPalette palette(text, window, window.lighter(150), dark, mid, text, Qt::white);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Shadow, dark.darker(135));
    palette.setColor(QPalette::AlternateBase, window.lighter(103));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Link, link);
    palette.setColor(QPalette::LinkVisited, QColor(255, 0, 255));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::NoRole, window);
    QColor placeholder = text;
    placeholder.setAlpha(128);
    palette.setColor(QPalette::PlaceholderText, placeholder);
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
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
