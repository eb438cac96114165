#include "decorativeline.h"

#include "twips.h"

#include <QPainter>

#include <algorithm>

DecorativeLine::DecorativeLine(int x1, int y1, int x2, int y2, QPalette::ColorRole role,
                               QWidget *parent)
    : QWidget(parent), m_role(role)
{
    QRect rect =
        Twips::Rect(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
    rect.setWidth(std::max(rect.width(), 1));
    rect.setHeight(std::max(rect.height(), 1));
    setGeometry(rect);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DecorativeLine::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(m_role));
}
