#pragma once

#include <QObject>

class QWidget;

// Watches a widget's paint events, so a benchmark can run the event loop
// until the widget has been repainted after an action. Qt may paint inside
// the action itself (a scroll bar repaints at once on a press, flushing every
// pending update of the window), so the watch starts before it.
class PaintCounter : public QObject
{
    Q_OBJECT

public:
    explicit PaintCounter(QWidget *widget);

    // Starts a watch: forgets the paints seen so far.
    void arm() { m_painted = false; }
    // Processes events until the widget has been painted since arm(), then
    // handles the events that paint left ready; false when no paint comes
    // within timeoutMs.
    bool waitForPaint(int timeoutMs = 2000);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_widget;
    bool m_painted = false;
};
