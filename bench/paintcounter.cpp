#include "paintcounter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWidget>

PaintCounter::PaintCounter(QWidget *widget) : QObject(widget), m_widget(widget)
{
    widget->installEventFilter(this);
}

bool PaintCounter::waitForPaint(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_painted && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!m_painted)
        return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return true;
}

bool PaintCounter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_widget && event->type() == QEvent::Paint)
        m_painted = true;
    return QObject::eventFilter(watched, event);
}
