#pragma once

#include <QHash>
#include <QIconEngine>
#include <QPixmap>

// Rubrio's icon at every size the package installs, each drawn for its size:
// 32 x 32 is the About box's picture, the others are the package's PNG files
// compiled in. A picture is decoded when its size is first asked for: the X11
// platform asks for all of them as it creates a window, the offscreen
// platform for none.
class AppIconEngine : public QIconEngine
{
public:
    AppIconEngine() = default;

    QIconEngine *clone() const override;
    QString key() const override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;

private:
    // The drawing of one side length, decoded once.
    QPixmap picture(int side);

    QHash<int, QPixmap> m_pictures;
};
