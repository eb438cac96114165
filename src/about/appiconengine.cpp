#include "appiconengine.h"

#include "appicon.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <array>

namespace {

constexpr std::array<int, 6> Sides = {16, 32, 48, 64, 128, 256};

// The side of the drawing for a requested size: the smallest that is at
// least as large, else the largest.
int sideFor(const QSize &size)
{
    const int wanted = qMax(size.width(), size.height());
    for (const int side : Sides) {
        if (side >= wanted)
            return side;
    }
    return Sides.back();
}

} // namespace

QIconEngine *AppIconEngine::clone() const
{
    return new AppIconEngine(*this);
}

QString AppIconEngine::key() const
{
    return QStringLiteral("AppIconEngine");
}

QList<QSize> AppIconEngine::availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/)
{
    QList<QSize> sizes;
    for (const int side : Sides)
        sizes.append(QSize(side, side));
    return sizes;
}

QSize AppIconEngine::actualSize(const QSize &size, QIcon::Mode /*mode*/, QIcon::State /*state*/)
{
    const int side = qMin(sideFor(size), qMin(size.width(), size.height()));
    return QSize(side, side);
}

QPixmap AppIconEngine::picture(int side)
{
    auto found = m_pictures.constFind(side);
    if (found != m_pictures.constEnd())
        return *found;
    QPixmap drawn;
    if (side == 32)
        drawn = AppIconPixmap();
    else
        drawn.load(QStringLiteral(":/icons/%1x%1/rubrio.png").arg(side), "PNG");
    m_pictures.insert(side, drawn);
    return drawn;
}

QPixmap AppIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap drawn = picture(sideFor(size));
    const QSize fits = actualSize(size, mode, state);
    if (drawn.size() != fits)
        drawn = drawn.scaled(fits, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (mode == QIcon::Disabled || mode == QIcon::Selected) {
        QStyleOption option;
        option.palette = QApplication::palette();
        drawn = QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }
    return drawn;
}

void AppIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                          QIcon::State state)
{
    const QPixmap drawn = pixmap(rect.size(), mode, state);
    const QPoint at(rect.x() + (rect.width() - drawn.width()) / 2,
                    rect.y() + (rect.height() - drawn.height()) / 2);
    painter->drawPixmap(at, drawn);
}
