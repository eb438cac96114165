#include "look/focusring.h"

#include "look/focusringstyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>

FocusRing::FocusRing()
{
    auto *style = new FocusRingStyle;
    style->setParent(this);
    setStyle(style);
}

void FocusRing::Install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget *, QWidget *now) {
        // The ring lives in the window of the control it marks, and goes
        // with that window.
        static QPointer<FocusRing> ring;
        if (!ring && !now)
            return;
        if (!ring)
            ring = new FocusRing;
        ring->setWidget(now);
    });
}

void FocusRing::paintEvent(QPaintEvent * /*event*/)
{
    const QWidget *marked = widget();
    if (!marked)
        return;
    // One pixel in from the edge, inside the control's own outline, which on
    // the teal dialog is as dark as the ring.
    const QRect ring = QRect(marked->mapTo(parentWidget(), QPoint(0, 0)) - pos(), marked->size())
                           .adjusted(Inset, Inset, -Inset, -Inset);
    const QColor colour = marked->palette().color(QPalette::Highlight);
    QPainter painter(this);
    painter.fillRect(ring.x(), ring.y(), ring.width(), Width, colour);
    painter.fillRect(ring.x(), ring.bottom() + 1 - Width, ring.width(), Width, colour);
    painter.fillRect(ring.x(), ring.y(), Width, ring.height(), colour);
    painter.fillRect(ring.right() + 1 - Width, ring.y(), Width, ring.height(), colour);
}
