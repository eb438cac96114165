// The About box opened from the main window, beside it.

#include "about/frmabout.h"
#include "main_window/atel.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/endrecorder.h"
#include "support/scriptedmsgbox.h"
#include "support/tempcurrentdir.h"
#include "support/windowtest.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <memory>

class TestAboutFromMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensBesideMainWindow_data();
    void opensBesideMainWindow();

private:
    std::unique_ptr<TempCurrentDir> m_dir;
    std::unique_ptr<ScriptedMsgBox> m_boxes;
    std::unique_ptr<EndRecorder> m_end;
};

void TestAboutFromMain::init()
{
    m_dir = std::make_unique<TempCurrentDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(m_dir->write(QStringLiteral("data.txt"), "Bassi,          Ugo,           3\r\n"));
    m_boxes = std::make_unique<ScriptedMsgBox>();
    m_end = std::make_unique<EndRecorder>();
}

void TestAboutFromMain::cleanup()
{
    deleteAllWindows();
    QVERIFY(!openWindow<frmAbout>());
    m_end.reset();
    m_boxes.reset();
    m_dir.reset();
    ContactTable::clear();
}

void TestAboutFromMain::opensBesideMainWindow_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("About... button") << false;
    QTest::newRow("About menu item") << true;
}

void TestAboutFromMain::opensBesideMainWindow()
{
    QFETCH(bool, fromMenu);

    aTel *window = aTel::instance();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto *cmdAbout = control(window, "CmdAbout");
    QVERIFY(cmdAbout);
    if (fromMenu)
        control<QAction>(window, "About")->trigger();
    else
        QTest::mouseClick(cmdAbout, Qt::LeftButton);

    frmAbout *about = openWindow<frmAbout>();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    QVERIFY(!about->parentWidget());
    QCOMPARE(control<QLabel>(about, "lblTitle")->text(), QStringLiteral("Rubrio"));

    // The main window takes a click on its letter scroll bar meanwhile,
    // delivered as the window system delivers it.
    QScrollBar *bar = window->scrollBar();
    QCOMPARE(bar->value(), 0);
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.maximum = bar->maximum();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    const QRect down = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                    QStyle::SC_ScrollBarAddLine, bar);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      bar->mapTo(window, down.center()));
    QCOMPARE(bar->value(), 1);
    QVERIFY(about->isVisible());

    // Opening again from the main window brings back the same box as it is.
    control<QLabel>(about, "lblTitle")->setText(QStringLiteral("changed"));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      cmdAbout->mapTo(window, cmdAbout->rect().center()));
    QCOMPARE(openWindow<frmAbout>(), about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(control<QLabel>(about, "lblTitle")->text(), QStringLiteral("changed"));
}

QTEST_MAIN(TestAboutFromMain)
#include "tst_aboutfrommain.moc"
