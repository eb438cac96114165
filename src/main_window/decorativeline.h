#pragma once

#include <QPalette>
#include <QWidget>

// A solid horizontal or vertical line, one pixel wide, in a system colour.
// It has no events: the pointer passes through to the window's surface.
class DecorativeLine : public QWidget
{
    Q_OBJECT

public:
    // From (x1, y1) to (x2, y2) in twips, relative to parent.
    DecorativeLine(int x1, int y1, int x2, int y2, QPalette::ColorRole role, QWidget *parent);

    QPalette::ColorRole colorRole() const { return m_role; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPalette::ColorRole m_role;
};
