#include "lineshape.h"

#include "twips.h"

#include <QPainter>

LineShape::LineShape(const QString &name, int index, QWidget *parent)
    : QWidget(parent), m_index(index)
{
    setObjectName(name);
    setProperty("Index", index);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineShape::SetLine(int x1, int x2, int y, const QColor &color, int widthPixels)
{
    m_color = color;
    m_width = widthPixels;
    const QPoint start = Twips::Point(x1, y);
    const QPoint end = Twips::Point(x2, y);
    setGeometry(start.x(), start.y(), end.x() - start.x(), widthPixels);
    update();
}

void LineShape::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
}
