#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Watches the application for the main window's first paint. Once that frame
// is finished it prints one line to stdout and ends the process at once (no
// exit question, no clean-up):
//   paint_ns=<steady clock> rss_kib=<resident memory> width=<w> height=<h> <extra>
// The steady clock is the system-wide monotonic clock, so the process that
// started this one can subtract its own start time.
class FirstPaintProbe : public QObject
{
    Q_OBJECT

public:
    // extra, when given, adds fields to the line, read just before it is
    // printed.
    explicit FirstPaintProbe(std::function<QString()> extra = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report(QWidget *window);

    std::function<QString()> m_extra;
    bool m_seen = false;
};
