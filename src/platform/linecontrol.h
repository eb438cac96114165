#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <optional>

// The forms runtime's line control: a solid horizontal or vertical line
// between two points given in twips, a number of pixels wide (drawn right of
// or below the line). It has no events: it takes no focus and lets the
// pointer through to the window's surface.
class LineControl : public QWidget
{
    Q_OBJECT

public:
    LineControl(int x1, int y1, int x2, int y2, QWidget *parent, int widthPixels = 1);

    // A fixed colour, or a system colour that follows the palette.
    void setColor(const QColor &color);
    void setColorRole(QPalette::ColorRole role);
    // The colour the line is drawn in.
    QColor color() const;
    int widthPixels() const { return m_widthPixels; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_widthPixels;
    std::optional<QColor> m_color;
    QPalette::ColorRole m_role = QPalette::WindowText;
};
