#pragma once

#include "support/windowtestscope.h"

#include <QObject>

#include <memory>

// The fixture of the window tests: each test function runs in a scope of its
// own (a fresh current directory, scripted message boxes, the end recorded),
// made before it and undone after it. A test class that adds to the set-up
// calls these from its own init().
class WindowTestCase : public QObject
{
    Q_OBJECT

protected:
    // With noMessageBoxes, a message box that a test function raised fails it.
    explicit WindowTestCase(bool noMessageBoxes = false) : m_noMessageBoxes(noMessageBoxes) {}

    std::unique_ptr<WindowTestScope> m_scope;

protected Q_SLOTS:
    void init();
    void cleanup();

private:
    bool m_noMessageBoxes;
};
