#include "firstpaintprobe.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMainWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

long residentKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

FirstPaintProbe::FirstPaintProbe(std::function<QString()> extra) : m_extra(std::move(extra))
{
    qApp->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
        QWidget *window = static_cast<QWidget *>(watched)->window();
        if (qobject_cast<QMainWindow *>(window)) {
            m_seen = true;
            // The whole frame is painted in this one pass; the queued call
            // runs once it is over.
            QMetaObject::invokeMethod(
                this, [this, window] { report(window); }, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::report(QWidget *window)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    const QString extra = m_extra ? m_extra() : QString();
    std::printf("paint_ns=%lld rss_kib=%ld width=%d height=%d %s\n", ns, residentKib(),
                window->width(), window->height(), qPrintable(extra));
    std::fflush(stdout);
    std::_Exit(0);
}
