// The letter filter, the list's selection and the right-click pop-ups.

#include "look/dialogfonts.h"
#include "main_window/atel.h"
#include "main_window/mainwindowmodule.h"
#include "platform/twips.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/contactlines.h"
#include "support/windowtestcase.h"

#include <QAction>
#include <QCollator>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>

#include <memory>

using Rows = QList<int>;

namespace {

// The table holding tableLines, and the list refilled for letter. The window
// comes first: its creation loads data.txt into the table.
void fill(const QStringList &tableLines, char letter)
{
    aTel *window = aTel::instance();
    setTable(tableLines);
    window->scrollBar()->setValue(letter - 'A');
    GlobalModule::RefreshContactList();
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

// Where the style draws one part of the scroll bar.
QRect barPart(QScrollBar *bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

} // namespace

class TestLetterFilter : public WindowTestCase
{
    Q_OBJECT

public:
    TestLetterFilter() : WindowTestCase(true) {}

private Q_SLOTS:
    void initTestCase() { DialogFonts::Install(); }

    void refill_data();
    void refill();
    void otherFirstCharactersNeverListed();
    void fullTableUnderOneLetter();
    void everyRefillClearsTheSelection();
    void clicksToggle_data();
    void clicksToggle();
    void keyboard();
    void onlyClicksOnItemsSelect();
    void rightClickInList_data();
    void rightClickInList();
    void rightClickOnWindow_data();
    void rightClickOnWindow();
    void scrollBar();
    void letterStripAndTypedLetters_data();
    void letterStripAndTypedLetters();

private:
    aTel *showWith(const QStringList &tableLines, char letter = 'R');
    void click(int row);

};

aTel *TestLetterFilter::showWith(const QStringList &tableLines, char letter)
{
    fill(tableLines, letter);
    showActive(aTel::instance());
    return aTel::instance();
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
    QTest::addColumn<char>("letter");
    QTest::addColumn<QStringList>("expected");

    const QStringList three = lines({"Russo", "Bianchi", "Rossi"});
    QTest::newRow("R of Russo, Bianchi, Rossi") << three << 'R' << lines({"Rossi", "Russo"});
    QTest::newRow("B of Russo, Bianchi, Rossi") << three << 'B' << lines({"Bianchi"});
    QTest::newRow("letter with no contacts") << three << 'Z' << QStringList();
    QTest::newRow("case does not order")
        << lines({"ROSSO", "Rossi", "Rosa"}) << 'R' << lines({"Rosa", "Rossi", "ROSSO"});
    QTest::newRow("accents beside their letter")
        << lines({"Rotti", QStringLiteral("Ròssi"), "Rossi", "Rozzi"}) << 'R'
        << lines({"Rossi", QStringLiteral("Ròssi"), "Rotti", "Rozzi"});
    QTest::newRow("ties by exact text")
        << lines({"Rossi", "ROSSI"}) << 'R' << lines({"ROSSI", "Rossi"});
    QTest::newRow("ties whatever the table order")
        << lines({"ROSSI", "Rossi"}) << 'R' << lines({"ROSSI", "Rossi"});
    QTest::newRow("equal lines both shown")
        << lines({"Rossi", "Bianchi", "Rossi"}) << 'R' << lines({"Rossi", "Rossi"});
    QTest::newRow("given name orders equal surnames")
        << lines({"Rossi|Paolo|1", "Rossi|anna|2"}) << 'R'
        << lines({"Rossi|anna|2", "Rossi|Paolo|1"});
    QTest::newRow("line kept as stored")
        << QStringList{"R,x,y", "Rz"} << 'R' << QStringList{"R,x,y", "Rz"};
}

void TestLetterFilter::refill()
{
    QFETCH(QStringList, table);
    QFETCH(char, letter);
    QFETCH(QStringList, expected);

    fill(table, letter);
    QCOMPARE(listed(aTel::instance()->contactList()), expected);
    // The table itself stays in its order.
    QCOMPARE(tableLines(), table);
}

void TestLetterFilter::otherFirstCharactersNeverListed()
{
    aTel *window = aTel::instance();
    fill(lines({"rossi", "9Rossi", " Rossi", QStringLiteral("Ärger"), "Rossi", "'Rossi"}), 'A');
    QStringList seen = listed(window->contactList());
    for (int value = 1; value <= 25; ++value) {
        window->scrollBar()->setValue(value); // the change event refills
        seen += listed(window->contactList());
    }
    QCOMPARE(seen, lines({"Rossi"}));
}

void TestLetterFilter::fullTableUnderOneLetter()
{
    // A full table under one letter, in reverse order of the numbers, with
    // case and accents mixed.
    const QStringList stems = {"Rossi", "rossi", QStringLiteral("Ròssi"), "ROSSI", "Rosa"};
    QStringList table;
    for (int i = ContactTable::Capacity - 1; i >= 0; --i) {
        QString surname = stems.at(i % stems.size()) + QString::number(i % 37);
        surname[0] = QLatin1Char('R');
        table.append(line(surname, QStringLiteral("N"), QString::number(i)));
    }
    fill(table, 'R');
    const QStringList shown = listed(aTel::instance()->contactList());
    QStringList sortedTable = table;
    QStringList sortedShown = shown;
    std::sort(sortedTable.begin(), sortedTable.end());
    std::sort(sortedShown.begin(), sortedShown.end());
    QCOMPARE(sortedShown, sortedTable); // the same lines, none lost or doubled
    QCollator collator(QLocale(QLocale::Italian));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (qsizetype i = 1; i < shown.size(); ++i) {
        const int order = collator.compare(shown.at(i - 1), shown.at(i));
        QVERIFY2(order < 0 || (order == 0 && shown.at(i - 1) <= shown.at(i)),
                 qPrintable(shown.at(i - 1) + " / " + shown.at(i)));
    }
}

void TestLetterFilter::everyRefillClearsTheSelection()
{
    aTel *window = showWith(lines({"Rossi", "Russo", "Sala"}));
    QListWidget *list = window->contactList();
    const auto state = [window, list] {
        return QStringLiteral("%1 listed, %2 selected, current %3, buttons %4 %5")
            .arg(list->count())
            .arg(list->selectedItems().size())
            .arg(list->currentRow())
            .arg(int(window->cmdModify()->isEnabled()))
            .arg(int(window->cmdDelete()->isEnabled()));
    };
    click(0);
    click(1);
    QCOMPARE(state(), QStringLiteral("2 listed, 2 selected, current 1, buttons 1 1"));
    GlobalModule::RefreshContactList();
    QCOMPARE(state(), QStringLiteral("2 listed, 0 selected, current -1, buttons 0 0"));
    click(0);
    window->scrollBar()->setValue('S' - 'A');
    QCOMPARE(state(), QStringLiteral("1 listed, 0 selected, current -1, buttons 0 0"));
    click(0);
    window->scrollBar()->setValue('R' - 'A');
    QCOMPARE(state(), QStringLiteral("2 listed, 0 selected, current -1, buttons 0 0"));
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
    for (int row : clicks)
        click(row);
    QCOMPARE(selectedRows(list), selected);
    QCOMPARE(list->currentRow(), current);
    QCOMPARE(window->cmdDelete()->isEnabled(), !selected.isEmpty());
    QCOMPARE(window->cmdModify()->isEnabled(), !selected.isEmpty());
}

void TestLetterFilter::keyboard()
{
    aTel *window = showWith(lines({"Rossi", "Russo", "Ricci"}));
    QListWidget *list = window->contactList();
    // Taking the focus, at start or again, makes no item current.
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QCOMPARE(list->currentRow(), -1);
    window->scrollBar()->setFocus(Qt::TabFocusReason);
    list->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(list->currentRow(), -1);

    // The arrows move the current item only; Space toggles it.
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(!window->cmdDelete()->isEnabled());
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(selectedRows(list), Rows{1});
    QVERIFY(window->cmdDelete()->isEnabled());
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

    // Typing moves the current item and leaves the selection alone (after a
    // pause: the spaces above count as typed text for a while).
    click(0);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(list, QStringLiteral("Ru"));
    QCOMPARE(list->currentItem()->text(), line("Russo"));
    QCOMPARE(selectedRows(list), Rows{0});
}

void TestLetterFilter::onlyClicksOnItemsSelect()
{
    aTel *window = showWith(lines({"Rossi", "Russo", "Ricci"}));
    QListWidget *list = window->contactList();
    // A double click, through the window system as the pointer's clicks
    // arrive, is two clicks.
    const QPoint at = list->viewport()->mapTo(window, list->visualItemRect(list->item(1)).center());
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
    QCOMPARE(selectedRows(list), Rows{});
    QVERIFY(!window->cmdDelete()->isEnabled());
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    QCOMPARE(selectedRows(list), Rows{1});
    // A click below the items changes nothing.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(20, list->viewport()->height() - 5));
    QCOMPARE(selectedRows(list), Rows{1});
    // Dragging across the items toggles the pressed one alone.
    const QPoint first = list->visualItemRect(list->item(0)).center();
    const QPoint last = list->visualItemRect(list->item(2)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, first);
    for (int y = first.y(); y <= last.y(); y += 3)
        QTest::mouseMove(list->viewport(), QPoint(first.x(), y));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, last);
    QCOMPARE(selectedRows(list), Rows({0, 1}));
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
    QVERIFY(!control<QMenu>(window, "File")->isVisible());
    // A right click selects nothing and moves nothing.
    QCOMPARE(selectedRows(list), selectedBefore);
    QCOMPARE(list->currentRow(), currentBefore);
    edit->hide();
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(selectedRows(list), selectedBefore);
}

void TestLetterFilter::rightClickOnWindow_data()
{
    QTest::addColumn<QPoint>("twips");
    QTest::addColumn<bool>("fileMenu");
    QTest::newRow("surface below the list") << QPoint(1000, 5520) << true;
    QTest::newRow("on a decorative line") << QPoint(1000, 5640) << true;
    QTest::newRow("between the labels and Frame2") << QPoint(6500, 3900) << true;
    QTest::newRow("heading label") << QPoint(300, 200) << false;
    QTest::newRow("letter strip") << QPoint(5330, 2000) << false;
    QTest::newRow("grey label") << QPoint(6500, 3000) << false;
    QTest::newRow("workspace label") << QPoint(6500, 3500) << false;
    QTest::newRow("frame border") << QPoint(5920, 1500) << false;
    QTest::newRow("button") << QPoint(6500, 600) << false;
    QTest::newRow("button in Frame2") << QPoint(6500, 5200) << false;
    QTest::newRow("scroll bar") << QPoint(5640, 2000) << false;
}

void TestLetterFilter::rightClickOnWindow()
{
    QFETCH(QPoint, twips);
    QFETCH(bool, fileMenu);

    aTel *window = showWith(lines({"Rossi"}));
    const QPoint at = window->centralWidget()->mapTo(window, Twips::Point(twips.x(), twips.y()));
    QMenu *file = control<QMenu>(window, "File");
    // Through the window system, so the press reaches whatever is under it.
    QTest::mousePress(window->windowHandle(), Qt::RightButton, {}, at);
    if (fileMenu) {
        QTRY_VERIFY(file->isVisible());
        QVERIFY(file->geometry().adjusted(-1, -1, 1, 1).contains(window->mapToGlobal(at)));
    } else {
        QTest::qWait(50);
        QVERIFY(!file->isVisible());
    }
    QVERIFY(!control<QMenu>(window, "Edit")->isVisible());
    file->hide();
    QTest::mouseRelease(window->windowHandle(), Qt::RightButton, {}, at);
}

void TestLetterFilter::scrollBar()
{
    aTel *window = showWith(lines({"Abate", "Bassi", "Conti", "Zeta"}), 'A');
    QScrollBar *bar = window->scrollBar();
    QListWidget *list = window->contactList();
    QSignalSpy refills(list->model(), &QAbstractItemModel::modelReset);

    // Dragged, it does not track: one refill, on release.
    const QRect handle = barPart(bar, QStyle::SC_ScrollBarSlider);
    const QPoint bottom(handle.center().x(), barPart(bar, QStyle::SC_ScrollBarGroove).bottom());
    QTest::mousePress(bar, Qt::LeftButton, {}, handle.center());
    for (int y = handle.center().y(); y < bottom.y() - handle.height() / 2; y += 10) {
        QTest::mouseMove(bar, QPoint(bottom.x(), y));
        QCOMPARE(refills.count(), 0);
    }
    QTest::mouseMove(bar, bottom);
    QCOMPARE(bar->sliderPosition(), 25);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(listed(list), lines({"Abate"}));
    QCOMPARE(refills.count(), 0);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bottom);
    QCOMPARE(refills.count(), 1);
    QCOMPARE(listed(list), lines({"Zeta"}));

    // It moves by one letter, and not past "Z" or "A".
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Down);
    QCOMPARE(bar->value(), 25);
    QTest::keyClick(bar, Qt::Key_Home);
    const QRect down = barPart(bar, QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(bar, Qt::LeftButton, {}, down.center());
    QCOMPARE(listed(list), lines({"Bassi"}));
    // A click in the track below the box moves one place too.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(down.center().x(), down.top() - 3));
    QCOMPARE(listed(list), lines({"Conti"}));
    QTest::keyClick(bar, Qt::Key_Up);
    QTest::keyClick(bar, Qt::Key_Up);
    QTest::keyClick(bar, Qt::Key_Up);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(listed(list), lines({"Abate"}));
}

void TestLetterFilter::letterStripAndTypedLetters_data()
{
    QTest::addColumn<QString>("input"); // "click X", "right click X" or "type X"
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<char>("shown"); // the letter shown afterwards; it starts at C
    QTest::newRow("click A") << "click A" << 0 << 'A';
    QTest::newRow("click R") << "click R" << 0 << 'R';
    QTest::newRow("click Z") << "click Z" << 0 << 'Z';
    QTest::newRow("right click R") << "right click R" << 0 << 'C';
    QTest::newRow("type r") << "type r" << 0 << 'R';
    QTest::newRow("type Z") << "type Z" << int(Qt::ShiftModifier) << 'Z';
    QTest::newRow("type a") << "type a" << 0 << 'A';
    QTest::newRow("Ctrl+R") << "type r" << int(Qt::ControlModifier) << 'C';
    QTest::newRow("digit") << "type 5" << 0 << 'C';
}

void TestLetterFilter::letterStripAndTypedLetters()
{
    QFETCH(QString, input);
    QFETCH(int, modifiers);
    QFETCH(char, shown);

    const QStringList table = lines({"Abate", "Conti", "Rossi", "Zeta"});
    aTel *window = showWith(table, 'C');
    QScrollBar *bar = window->scrollBar();
    const char letter = input.back().toLatin1();
    if (input.startsWith(u"type")) {
        bar->setFocus();
        QTest::keyClick(bar, letter, Qt::KeyboardModifiers(modifiers));
    } else {
        // The letters as drawn: the runs of rows holding red.
        auto *strip = control<QLabel>(window, "Lbl_A_Z");
        const QImage image = strip->grab().toImage();
        QList<int> runStarts;
        QList<int> runEnds;
        for (int y = 0; y < image.height(); ++y) {
            bool red = false;
            for (int x = 0; x < image.width() && !red; ++x) {
                const QColor c = image.pixelColor(x, y);
                red = c.red() > 150 && c.green() < 100 && c.blue() < 100;
            }
            if (red && runEnds.size() == runStarts.size())
                runStarts.append(y);
            if (!red && runEnds.size() < runStarts.size())
                runEnds.append(y);
        }
        QCOMPARE(runStarts.size(), 26);
        const int index = letter - 'A';
        const QPoint at(strip->width() / 2, (runStarts[index] + runEnds[index]) / 2);
        const bool right = input.startsWith(u"right");
        QTest::mouseClick(strip, right ? Qt::RightButton : Qt::LeftButton, {}, at);
    }
    QCOMPARE(bar->value(), shown - 'A');
    QCOMPARE(listed(window->contactList()), table.filter(QRegularExpression(u'^' + QChar(shown))));
}

QTEST_MAIN(TestLetterFilter)
#include "tst_letterfilter.moc"
