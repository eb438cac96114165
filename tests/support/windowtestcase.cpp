#include "support/windowtestcase.h"

#include <QTest>

void WindowTestCase::init()
{
    m_scope = std::make_unique<WindowTestScope>();
    QVERIFY(m_scope->dir.isValid());
}

void WindowTestCase::cleanup()
{
    const bool quiet = !m_noMessageBoxes || m_scope->boxes.calls().isEmpty();
    // The scope goes first, so a failure leaves nothing for the next test.
    m_scope.reset();
    QVERIFY2(quiet, "a message box the test did not expect");
}
