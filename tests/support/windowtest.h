#pragma once

#include "platform/runtime.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <source_location>

// Looks a control up by its objectName inside window; fails the test at the
// caller's line when there is none.
template <typename T = QWidget>
T *control(QObject *window, const char *name,
           const std::source_location &where = std::source_location::current())
{
    T *found = window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!found) {
        QTest::qFail(QByteArray("no control named ").append(name).constData(), where.file_name(),
                     int(where.line()));
    }
    return found;
}

// The shown top-level window of class T, or null when there is none (a
// closed window may wait a moment to be deleted, but is hidden at once).
template <typename T> T *openWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *found = qobject_cast<T *>(window);
        if (found && found->isVisible())
            return found;
    }
    return nullptr;
}

// Deletes every top-level window, so the next test creates its windows anew
// from their descriptions.
inline void deleteAllWindows()
{
    Runtime::DeleteAllWindows();
}

// Shows window and waits until it is the active window; warns when it never
// becomes active.
inline void showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s not active", qPrintable(window->objectName()));
}
