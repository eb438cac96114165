// The letter filter, the list's selection and the right-click pop-ups.

#include "atel.h"
#include "contactline.h"
#include "dialogfonts.h"
#include "globalmodule.h"
#include "mainwindowmodule.h"
#include "support/endrecorder.h"
#include "support/scriptedmsgbox.h"
#include "support/tempcurrentdir.h"
#include "support/windowtest.h"
#include "twips.h"

#include <QAction>
#include <QCollator>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>

#include <memory>

using Rows = QList<int>;

namespace {

QString line(const QString &surname)
{
    return GlobalModule::FormatContactLine(surname, QStringLiteral("Mario"),
                                           QStringLiteral("06 1234"));
}

QStringList lines(const QStringList &surnames)
{
    QStringList result;
    for (const QString &surname : surnames)
        result.append(line(surname));
    return result;
}

void setTable(const QStringList &tableLines)
{
    GlobalModule::ClearContacts();
    for (const QString &text : tableLines)
        QVERIFY(GlobalModule::AppendContact(text));
}

QStringList listed(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

Rows selectedRows(QListWidget *list)
{
    Rows rows;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            rows.append(i);
    }
    return rows;
}

int letterOf(char c)
{
    return c - 'A';
}

} // namespace

class TestLetterFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void refill_data();
    void refill();
    void otherFirstCharactersNeverListed();
    void fullTableUnderOneLetter();
    void buttonsDisabledAfterEveryRefill_data();
    void buttonsDisabledAfterEveryRefill();
    void clicksToggle_data();
    void clicksToggle();
    void spaceBarToggles();
    void doubleClickIsTwoClicks();
    void typingMovesOnlyTheCurrentItem();
    void clickOutsideItemsChangesNothing();
    void draggingSelectsNothing();
    void noCurrentItemOnFocus();
    void rightClickInList_data();
    void rightClickInList();
    void rightClickOnWindow_data();
    void rightClickOnWindow();
    void scrollBarRefillsOnReleaseOnly();
    void scrollBarStepsByOne();

private:
    aTel *showWith(const QStringList &tableLines, char letter = 'R');
    void click(int row);

    std::unique_ptr<TempCurrentDir> m_dir;
    std::unique_ptr<ScriptedMsgBox> m_boxes;
    std::unique_ptr<EndRecorder> m_end;
};

void TestLetterFilter::initTestCase()
{
    DialogFonts::Install();
}

void TestLetterFilter::init()
{
    m_dir = std::make_unique<TempCurrentDir>();
    QVERIFY(m_dir->isValid());
    m_boxes = std::make_unique<ScriptedMsgBox>();
    m_end = std::make_unique<EndRecorder>();
}

void TestLetterFilter::cleanup()
{
    deleteAllWindows();
    QVERIFY(m_boxes->calls().isEmpty());
    m_end.reset();
    m_boxes.reset();
    m_dir.reset();
    GlobalModule::ClearContacts();
}

aTel *TestLetterFilter::showWith(const QStringList &tableLines, char letter)
{
    aTel *window = aTel::instance();
    setTable(tableLines);
    window->scrollBar()->setValue(letterOf(letter));
    GlobalModule::RefreshContactList();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("main window not active");
    return window;
}

void TestLetterFilter::click(int row)
{
    QListWidget *list = aTel::instance()->contactList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

void TestLetterFilter::refill_data()
{
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<int>("letter");
    QTest::addColumn<QStringList>("expected");

    const QStringList three = lines({"Russo", "Bianchi", "Rossi"});
    QTest::newRow("R of Russo, Bianchi, Rossi")
        << three << letterOf('R') << lines({"Rossi", "Russo"});
    QTest::newRow("B of Russo, Bianchi, Rossi") << three << letterOf('B') << lines({"Bianchi"});
    QTest::newRow("letter with no contacts") << three << letterOf('Z') << QStringList();
    QTest::newRow("first letter A") << lines({"Rossi", "Abate", "Zeta"}) << 0 << lines({"Abate"});
    QTest::newRow("last letter Z") << lines({"Rossi", "Abate", "Zeta"}) << 25 << lines({"Zeta"});
    QTest::newRow("case does not order")
        << lines({"ROSSO", "Rossi", "Rosa"}) << letterOf('R') << lines({"Rosa", "Rossi", "ROSSO"});
    QTest::newRow("accents beside their letter")
        << lines({"Rotti", QStringLiteral("Ròssi"), "Rossi", "Rozzi"}) << letterOf('R')
        << lines({"Rossi", QStringLiteral("Ròssi"), "Rotti", "Rozzi"});
    QTest::newRow("ties by exact text")
        << lines({"Rossi", "ROSSI"}) << letterOf('R') << lines({"ROSSI", "Rossi"});
    QTest::newRow("ties whatever the table order")
        << lines({"ROSSI", "Rossi"}) << letterOf('R') << lines({"ROSSI", "Rossi"});
    QTest::newRow("equal lines both shown")
        << lines({"Rossi", "Bianchi", "Rossi"}) << letterOf('R') << lines({"Rossi", "Rossi"});
    QTest::newRow("given name orders equal surnames")
        << QStringList{GlobalModule::FormatContactLine("Rossi", "Paolo", "1"),
                       GlobalModule::FormatContactLine("Rossi", "anna", "2")}
        << letterOf('R')
        << QStringList{GlobalModule::FormatContactLine("Rossi", "anna", "2"),
                       GlobalModule::FormatContactLine("Rossi", "Paolo", "1")};
    QTest::newRow("line kept as stored")
        << QStringList{"R,x,y", "Rz"} << letterOf('R') << QStringList{"R,x,y", "Rz"};
}

void TestLetterFilter::refill()
{
    QFETCH(QStringList, table);
    QFETCH(int, letter);
    QFETCH(QStringList, expected);

    aTel *window = aTel::instance();
    setTable(table);
    window->scrollBar()->setValue(letter);
    GlobalModule::RefreshContactList();
    QCOMPARE(listed(window->contactList()), expected);
    QCOMPARE(GlobalModule::ContactCount, table.size()); // the table is not touched
    QCOMPARE(GlobalModule::Contacts[0], table.first());
}

void TestLetterFilter::otherFirstCharactersNeverListed()
{
    aTel *window = aTel::instance();
    setTable(lines({"rossi", "9Rossi", " Rossi", QStringLiteral("Ärger"), "Rossi", "'Rossi"}));
    QStringList seen;
    for (int value = 0; value <= 25; ++value) {
        window->scrollBar()->setValue(value); // the change event refills
        seen += listed(window->contactList());
    }
    QCOMPARE(seen, lines({"Rossi"}));
    QCOMPARE(GlobalModule::ContactCount, 6);
}

void TestLetterFilter::fullTableUnderOneLetter()
{
    // Every line of a full table under one letter, in reverse order of
    // their numbers, with case and accents mixed.
    const QStringList stems = {"Rossi", "rossi", QStringLiteral("Ròssi"), "ROSSI", "Rosa"};
    QStringList table;
    for (int i = GlobalModule::TableSize - 1; i >= 0; --i) {
        QString surname = stems.at(i % stems.size()) + QString::number(i % 37);
        surname[0] = QLatin1Char('R');
        table.append(
            GlobalModule::FormatContactLine(surname, QStringLiteral("N"), QString::number(i)));
    }
    aTel *window = aTel::instance();
    setTable(table);
    window->scrollBar()->setValue(letterOf('R'));
    GlobalModule::RefreshContactList();
    const QStringList shown = listed(window->contactList());
    QCOMPARE(shown.size(), GlobalModule::TableSize);
    QStringList sorted = table;
    std::sort(sorted.begin(), sorted.end());
    QStringList shownSorted = shown;
    std::sort(shownSorted.begin(), shownSorted.end());
    QCOMPARE(shownSorted, sorted); // the same lines, none lost or doubled
    QCollator collator(QLocale(QLocale::Italian));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (qsizetype i = 1; i < shown.size(); ++i) {
        const int order = collator.compare(shown.at(i - 1), shown.at(i));
        QVERIFY2(order < 0 || (order == 0 && shown.at(i - 1) <= shown.at(i)),
                 qPrintable(shown.at(i - 1) + " / " + shown.at(i)));
    }
}

void TestLetterFilter::buttonsDisabledAfterEveryRefill_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("RefreshContactList") << "refresh";
    QTest::newRow("scroll bar change") << "scroll";
    QTest::newRow("scroll bar back and forth") << "scrollBack";
}

void TestLetterFilter::buttonsDisabledAfterEveryRefill()
{
    QFETCH(QString, how);
    aTel *window = showWith(lines({"Rossi", "Russo", "Sala"}));
    QListWidget *list = window->contactList();
    click(0);
    click(1);
    QVERIFY(window->cmdDelete()->isEnabled());
    QVERIFY(window->cmdModify()->isEnabled());

    if (how == QLatin1String("refresh")) {
        GlobalModule::RefreshContactList();
    } else if (how == QLatin1String("scroll")) {
        window->scrollBar()->setValue(letterOf('S'));
    } else {
        window->scrollBar()->setValue(letterOf('S'));
        click(0);
        QVERIFY(window->cmdDelete()->isEnabled());
        window->scrollBar()->setValue(letterOf('R'));
    }
    QVERIFY(list->count() > 0);
    QVERIFY(!window->cmdDelete()->isEnabled());
    QVERIFY(!window->cmdModify()->isEnabled());
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(list->currentRow(), -1);
}

void TestLetterFilter::clicksToggle_data()
{
    QTest::addColumn<Rows>("clicks");
    QTest::addColumn<Rows>("selected");
    QTest::addColumn<int>("current");

    QTest::newRow("one") << Rows{1} << Rows{1} << 1;
    QTest::newRow("second adds, no modifier") << Rows{1, 3} << Rows{1, 3} << 3;
    QTest::newRow("highest selected becomes current") << Rows{1, 3, 0} << Rows{0, 1, 3} << 3;
    QTest::newRow("click deselects only that item") << Rows{1, 3, 0, 3} << Rows{0, 1} << 1;
    QTest::newRow("all deselected") << Rows{2, 2} << Rows{} << 2;
}

void TestLetterFilter::clicksToggle()
{
    QFETCH(Rows, clicks);
    QFETCH(Rows, selected);
    QFETCH(int, current);

    aTel *window = showWith(lines({"Rossi", "Russo", "Ricci", "Rinaldi", "Bianchi"}));
    QListWidget *list = window->contactList();
    QCOMPARE(list->count(), 4);
    for (int row : clicks)
        click(row);
    QCOMPARE(selectedRows(list), selected);
    QCOMPARE(list->currentRow(), current);
    QCOMPARE(window->cmdDelete()->isEnabled(), !selected.isEmpty());
    QCOMPARE(window->cmdModify()->isEnabled(), !selected.isEmpty());
}

void TestLetterFilter::spaceBarToggles()
{
    aTel *window = showWith(lines({"Rossi", "Russo", "Ricci"}));
    QListWidget *list = window->contactList();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(!window->cmdDelete()->isEnabled()); // moving selects nothing
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(selectedRows(list), Rows{1});
    QVERIFY(window->cmdDelete()->isEnabled());
    QVERIFY(window->cmdModify()->isEnabled());
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(selectedRows(list), Rows({0, 1}));
    QCOMPARE(list->currentRow(), 1);      // the highest selected, made current by the handler
    QTest::keyClick(list, Qt::Key_Space); // toggles the current item, row 1
    QCOMPARE(selectedRows(list), Rows{0});
    QCOMPARE(list->currentRow(), 0);
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(selectedRows(list), Rows{});
    QVERIFY(!window->cmdDelete()->isEnabled());
    QVERIFY(!window->cmdModify()->isEnabled());
}

void TestLetterFilter::doubleClickIsTwoClicks()
{
    aTel *window = showWith(lines({"Rossi", "Russo"}));
    QListWidget *list = window->contactList();
    const QPoint at = list->viewport()->mapTo(window, list->visualItemRect(list->item(1)).center());
    // Through the window system, as the pointer's clicks arrive.
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
    QCOMPARE(selectedRows(list), Rows{});
    QVERIFY(!window->cmdDelete()->isEnabled());
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    QCOMPARE(selectedRows(list), Rows{1});
    QVERIFY(window->cmdDelete()->isEnabled());
}

void TestLetterFilter::typingMovesOnlyTheCurrentItem()
{
    aTel *window = showWith(lines({"Rossi", "Russo", "Ricci"}));
    QListWidget *list = window->contactList();
    click(0);
    QTest::keyClicks(list, QStringLiteral("Ru"));
    QCOMPARE(list->currentItem()->text(), line("Russo"));
    QCOMPARE(selectedRows(list), Rows{0});
}

void TestLetterFilter::clickOutsideItemsChangesNothing()
{
    aTel *window = showWith(lines({"Rossi", "Russo"}));
    QListWidget *list = window->contactList();
    click(1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(20, list->viewport()->height() - 5));
    QCOMPARE(selectedRows(list), Rows{1});
    QVERIFY(window->cmdDelete()->isEnabled());
}

void TestLetterFilter::draggingSelectsNothing()
{
    aTel *window = showWith(lines({"Rossi", "Russo", "Ricci"}));
    QListWidget *list = window->contactList();
    const QPoint first = list->visualItemRect(list->item(0)).center();
    const QPoint last = list->visualItemRect(list->item(2)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, first);
    for (int y = first.y(); y <= last.y(); y += 3)
        QTest::mouseMove(list->viewport(), QPoint(first.x(), y));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, last);
    QCOMPARE(selectedRows(list), Rows{0});
}

void TestLetterFilter::noCurrentItemOnFocus()
{
    aTel *window = showWith(lines({"Rossi", "Russo"}));
    QListWidget *list = window->contactList();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QCOMPARE(list->currentRow(), -1);
    window->scrollBar()->setFocus(Qt::TabFocusReason);
    list->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(QApplication::focusWidget(), list);
    QCOMPARE(list->currentRow(), -1);
    QVERIFY(list->selectedItems().isEmpty());
}

void TestLetterFilter::rightClickInList_data()
{
    QTest::addColumn<Rows>("clicks");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("nothing selected") << Rows{} << false;
    QTest::newRow("one selected") << Rows{0} << true;
    QTest::newRow("selected then deselected") << Rows{0, 0} << false;
}

void TestLetterFilter::rightClickInList()
{
    QFETCH(Rows, clicks);
    QFETCH(bool, enabled);

    aTel *window = showWith(lines({"Rossi", "Russo", "Ricci"}));
    QListWidget *list = window->contactList();
    for (int row : clicks)
        click(row);
    const Rows selectedBefore = selectedRows(list);
    const int currentBefore = list->currentRow();
    // The menu items start in the state the other way left them.
    window->modifyAction()->setEnabled(!enabled);
    window->deleteAction()->setEnabled(!enabled);

    const QPoint at = list->visualItemRect(list->item(2)).center();
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    QMenu *edit = control<QMenu>(window, "Edit");
    QTRY_VERIFY(edit->isVisible());
    QVERIFY(edit->geometry().adjusted(-1, -1, 1, 1).contains(list->viewport()->mapToGlobal(at)));
    QCOMPARE(window->modifyAction()->isEnabled(), enabled);
    QCOMPARE(window->deleteAction()->isEnabled(), enabled);
    QVERIFY(control<QAction>(window, "Add")->isEnabled());
    QCOMPARE(edit->actions().size(), 3);
    // A right click selects nothing and moves nothing.
    QCOMPARE(selectedRows(list), selectedBefore);
    QCOMPARE(list->currentRow(), currentBefore);
    edit->hide();
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(selectedRows(list), selectedBefore);
    QVERIFY(!control<QMenu>(window, "File")->isVisible());
}

void TestLetterFilter::rightClickOnWindow_data()
{
    QTest::addColumn<QPoint>("twips");
    QTest::addColumn<QString>("menu");
    QTest::newRow("surface below the list") << QPoint(1000, 5520) << "File";
    QTest::newRow("on a decorative line") << QPoint(1000, 5640) << "File";
    QTest::newRow("between the labels and Frame2") << QPoint(6500, 3900) << "File";
    QTest::newRow("heading label") << QPoint(300, 200) << "";
    QTest::newRow("letter strip") << QPoint(5330, 2000) << "";
    QTest::newRow("grey label") << QPoint(6500, 3000) << "";
    QTest::newRow("workspace label") << QPoint(6500, 3500) << "";
    QTest::newRow("frame border") << QPoint(5920, 1500) << "";
    QTest::newRow("button") << QPoint(6500, 600) << "";
    QTest::newRow("button in Frame2") << QPoint(6500, 5200) << "";
    QTest::newRow("scroll bar") << QPoint(5640, 2000) << "";
    QTest::newRow("list") << QPoint(1000, 3000) << "Edit";
}

void TestLetterFilter::rightClickOnWindow()
{
    QFETCH(QPoint, twips);
    QFETCH(QString, menu);

    aTel *window = showWith(lines({"Rossi"}));
    QWidget *surface = window->centralWidget();
    const QPoint at = surface->mapTo(window, Twips::Point(twips.x(), twips.y()));
    QMenu *file = control<QMenu>(window, "File");
    QMenu *edit = control<QMenu>(window, "Edit");
    // Through the window system, so the press reaches whatever is under it.
    QTest::mousePress(window->windowHandle(), Qt::RightButton, {}, at);
    if (!menu.isEmpty()) {
        QMenu *shown = control<QMenu>(window, menu.toLatin1());
        QTRY_VERIFY(shown->isVisible());
        QVERIFY(shown->geometry().adjusted(-1, -1, 1, 1).contains(window->mapToGlobal(at)));
    } else {
        QTest::qWait(50);
    }
    QCOMPARE(file->isVisible(), menu == QLatin1String("File"));
    QCOMPARE(edit->isVisible(), menu == QLatin1String("Edit"));
    file->hide();
    edit->hide();
    QTest::mouseRelease(window->windowHandle(), Qt::RightButton, {}, at);
    QVERIFY(window->contactList()->selectedItems().isEmpty());
}

void TestLetterFilter::scrollBarRefillsOnReleaseOnly()
{
    aTel *window = showWith(lines({"Abate", "Rossi", "Zeta"}), 'A');
    QScrollBar *bar = window->scrollBar();
    QListWidget *list = window->contactList();
    QCOMPARE(listed(list), lines({"Abate"}));
    QSignalSpy refills(list->model(), &QAbstractItemModel::modelReset);

    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    const QRect handle = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarSlider, bar);
    const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarGroove, bar);

    QTest::mousePress(bar, Qt::LeftButton, {}, handle.center());
    for (int y = handle.center().y(); y < groove.bottom() - handle.height() / 2; y += 10) {
        QTest::mouseMove(bar, QPoint(handle.center().x(), y));
        QCOMPARE(refills.count(), 0);
    }
    QTest::mouseMove(bar, QPoint(handle.center().x(), groove.bottom()));
    QVERIFY(bar->isSliderDown());
    QCOMPARE(bar->sliderPosition(), 25);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(listed(list), lines({"Abate"}));
    QCOMPARE(refills.count(), 0);

    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(handle.center().x(), groove.bottom()));
    QCOMPARE(bar->value(), 25);
    QCOMPARE(refills.count(), 1);
    QCOMPARE(listed(list), lines({"Zeta"}));
}

void TestLetterFilter::scrollBarStepsByOne()
{
    aTel *window = showWith(lines({"Abate", "Bassi", "Conti", "Zeta"}), 'A');
    QScrollBar *bar = window->scrollBar();
    QListWidget *list = window->contactList();

    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.maximum = 25;
    option.pageStep = 1;
    option.singleStep = 1;
    const QRect down = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                    QStyle::SC_ScrollBarAddLine, bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, down.center());
    QCOMPARE(bar->value(), 1);
    QCOMPARE(listed(list), lines({"Bassi"}));

    // A click in the track below the box moves one place too.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(down.center().x(), down.top() - 3));
    QCOMPARE(bar->value(), 2);
    QCOMPARE(listed(list), lines({"Conti"}));

    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Up);
    QTest::keyClick(bar, Qt::Key_Up);
    QTest::keyClick(bar, Qt::Key_Up);
    QCOMPARE(bar->value(), 0); // not below "A"
    QCOMPARE(listed(list), lines({"Abate"}));
    QTest::keyClick(bar, Qt::Key_End);
    QTest::keyClick(bar, Qt::Key_Down);
    QCOMPARE(bar->value(), 25); // not above "Z"
    QCOMPARE(listed(list), lines({"Zeta"}));
}

QTEST_MAIN(TestLetterFilter)
#include "tst_letterfilter.moc"
