#include "platform/linecontrol.h"

#include "platform/twips.h"

#include <QPainter>

#include <algorithm>

LineControl::LineControl(int x1, int y1, int x2, int y2, QWidget *parent, int widthPixels)
    : QWidget(parent), m_widthPixels(widthPixels)
{
    QRect rect =
        Twips::Rect(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
    if (y1 == y2)
        rect.setHeight(widthPixels);
    if (x1 == x2)
        rect.setWidth(widthPixels);
    setGeometry(rect);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void LineControl::setColorRole(QPalette::ColorRole role)
{
    m_color.reset();
    m_role = role;
    update();
}

QColor LineControl::color() const
{
    return m_color.value_or(palette().color(m_role));
}

void LineControl::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), color());
}
