#pragma once

#include <QColor>
#include <QWidget>

// A line control: a solid horizontal line between two points given in twips,
// of a colour and a width in pixels. It takes no focus and no mouse input.
class LineShape : public QWidget
{
    Q_OBJECT

public:
    LineShape(const QString &name, int index, QWidget *parent);

    // Places the line from (x1, y) to (x2, y); the pixels lie from y down.
    void SetLine(int x1, int x2, int y, const QColor &color, int widthPixels);

    int Index() const { return m_index; }
    QColor BorderColor() const { return m_color; }
    int BorderWidth() const { return m_width; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_index;
    QColor m_color;
    int m_width = 1;
};
