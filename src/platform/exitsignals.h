#pragma once

#include <QObject>

class QSocketNotifier;

// The signals that ask a program to end (SIGTERM, SIGHUP when its terminal
// closes, SIGINT, SIGQUIT), turned into a Qt signal on the main thread, so
// they can take the same way out as the close box instead of ending the
// program at once. Where the system has no such signals nothing is watched.
class ExitSignals : public QObject
{
    Q_OBJECT

public:
    // Installs the handlers on first use; the object lives as long as the
    // application.
    static ExitSignals *instance();

Q_SIGNALS:
    // One or more of the signals arrived.
    void received();

private:
    explicit ExitSignals(QObject *parent);
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};
