// The main window against its description: places in twips, texts, fonts,
// colours, initial states, menus, tab order and the keys that do nothing.

#include "look/dialogfonts.h"
#include "main_window/atel.h"
#include "platform/twips.h"
#include "support/windowtestcase.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

namespace {

QString textOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return frame->title();
    return {};
}

} // namespace

class TestAtelLayout : public WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DialogFonts::Install(); }

    void controls_data();
    void controls();
    void colours_data();
    void colours();
    void lettersFitOnePerLine();
    void decorativeLines_data();
    void decorativeLines();
    void window();
    void largeMenuFont_data();
    void largeMenuFont();
    void menuTree();
    void initialStates();
    void resizingMovesNothing();
    void keyboard();

private:
};

void TestAtelLayout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("tip");

    const auto row = [](const char *name, const char *kind, const char *parent, const QString &text,
                        int left, int top, int width, int height, const char *font = "",
                        const char *tip = "") {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                            << QString::fromLatin1(parent) << text
                            << QRect(left, top, width, height) << QString::fromLatin1(font)
                            << QString::fromLatin1(tip);
    };
    const char *heading = "Liberation Sans 9.75 italic";
    const char *dialog = "Liberation Sans 8.25";
    row("LblName", "QLabel", "Surface", "Cognome", 0, 120, 1455, 255, heading);
    row("Label2", "QLabel", "Surface", "Nome", 1800, 120, 1455, 255, heading);
    row("LblTelNumber", "QLabel", "Surface", "Telefono", 3360, 120, 1095, 255, heading);
    row("ContactList", "QListWidget", "Surface", "", 0, 360, 5175, 5070, "Liberation Mono 8.25");
    row("Lbl_A_Z", "QLabel", "Surface", "A B C D E F G H I J K L M N O P Q R S T U V W X Y Z ",
        5280, 360, 150, 5175, dialog);
    row("VScroll_Sel_Chr", "QScrollBar", "Surface", "", 5520, 120, 255, 5545);
    row("Frame1", "QGroupBox", "Surface", "Records", 5880, 20, 1575, 2775, dialog);
    row("CmdAddNew", "QPushButton", "Frame1", "Aggiungi Record", 120, 360, 1335, 495, dialog,
        "Click on this button to add new contacts record");
    row("CmdModify", "QPushButton", "Frame1", "Modifica Record", 120, 960, 1335, 495, dialog);
    row("CmdDelete", "QPushButton", "Frame1", "Cancella Record", 120, 1560, 1335, 495, dialog,
        "Delete selected record(s)");
    row("Save", "QPushButton", "Frame1", "Salva Record", 120, 2160, 1335, 495, dialog);
    row("Label1", "QLabel", "Surface", "Label1", 5880, 2880, 1575, 375, dialog);
    row("Label3", "QLabel", "Surface", "Label3", 5880, 3360, 1575, 375, dialog);
    row("Frame2", "QGroupBox", "Surface", "", 5880, 4080, 1575, 1575);
    row("CmdAbout", "QPushButton", "Frame2", "About...", 120, 360, 1335, 495, dialog);
    row("CmdExit", "QPushButton", "Frame2", "Esci", 120, 960, 1335, 495, dialog);
}

void TestAtelLayout::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parentName);
    QFETCH(QString, text);
    QFETCH(QRect, twips);
    QFETCH(QString, font);
    QFETCH(QString, tip);

    auto *widget = control(aTel::instance(), name.toLatin1());
    QVERIFY(widget);
    QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(textOf(widget), text);
    QCOMPARE(widget->geometry(), Twips::Rect(twips.x(), twips.y(), twips.width(), twips.height()));
    QVERIFY(!widget->isHidden());
    QCOMPARE(widget->toolTip(), tip);
    if (font.isEmpty())
        return;

    // The font as resolved: the stand-in must be installed, as no other font
    // keeps the captions' sizes, and never at the desktop's larger size.
    const QFontInfo info(widget->font());
    const QString resolved = QStringLiteral("%1 %2%3%4")
                                 .arg(info.family())
                                 .arg(widget->font().pointSizeF())
                                 .arg(info.italic() ? " italic" : "")
                                 .arg(info.bold() ? " bold" : "");
    QCOMPARE(resolved, font);
    QCOMPARE(info.pixelSize(), qRound(widget->font().pointSizeF() * 96 / 72));

    // The caption fits (the letters have a test of their own).
    if (text.isEmpty() || name == QLatin1String("Lbl_A_Z"))
        return;
    QRect room = widget->contentsRect();
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    } else if (qobject_cast<QGroupBox *>(widget)) {
        room = widget->rect().adjusted(8, 0, -8, 0); // the title sits inside the border
    }
    const QFontMetrics metrics(widget->font());
    QVERIFY2(metrics.horizontalAdvance(text) <= room.width(),
             qPrintable(QStringLiteral("%1 needs %2 px, has %3")
                            .arg(text)
                            .arg(metrics.horizontalAdvance(text))
                            .arg(room.width())));
    QVERIFY(metrics.height() <= room.height());
}

void TestAtelLayout::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");

    const QPalette system = QApplication::palette();
    const QColor highlight = system.color(QPalette::Highlight);
    const QColor highlightText = system.color(QPalette::HighlightedText);
    const QColor face = system.color(QPalette::Window);
    QTest::newRow("LblName") << "LblName" << highlight << face;
    QTest::newRow("Label2") << "Label2" << highlight << face;
    QTest::newRow("LblTelNumber") << "LblTelNumber" << highlight << face;
    QTest::newRow("Lbl_A_Z") << "Lbl_A_Z" << QColor(192, 0, 0) << face;
    QTest::newRow("Label1") << "Label1" << highlightText << QColor(128, 128, 128);
    QTest::newRow("Label3") << "Label3" << highlightText << system.color(QPalette::Dark);
}

void TestAtelLayout::colours()
{
    QFETCH(QString, name);
    QFETCH(QColor, text);
    QFETCH(QColor, background);

    auto *label = control<QLabel>(aTel::instance(), name.toLatin1());
    QVERIFY(label);
    QCOMPARE(label->palette().color(label->foregroundRole()), text);
    QVERIFY(label->autoFillBackground()); // opaque
    QCOMPARE(label->palette().color(label->backgroundRole()), background);
    // Drawn as described: the bottom-right corner is background.
    const QImage image = label->grab().toImage();
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1).rgb(), background.rgb());
    QCOMPARE(label->frameShape(), QFrame::NoFrame);
    QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

void TestAtelLayout::lettersFitOnePerLine()
{
    auto *letters = control<QLabel>(aTel::instance(), "Lbl_A_Z");
    QVERIFY(letters);
    const QFontMetrics metrics(letters->font());
    const int width = letters->width();
    // Every space breaks the line: not even the narrowest pair fits.
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("I J")) > width);
    for (char c = 'A'; c <= 'Z'; ++c)
        QVERIFY2(metrics.horizontalAdvance(QLatin1Char(c)) <= width, &c);
    // 26 lines, "A" at the top, "Z" at the bottom, all inside the label.
    const QRect used =
        metrics.boundingRect(QRect(0, 0, width, 100000),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, letters->text());
    QVERIFY2(used.height() <= letters->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(used.height()).arg(letters->height())));
    QVERIFY(used.height() >= 26 * metrics.height());
    QCOMPARE(letters->heightForWidth(width), used.height());
}

void TestAtelLayout::decorativeLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("role");
    QTest::newRow("Line1") << "Line1" << 120 << int(QPalette::WindowText);
    QTest::newRow("Line3") << "Line3" << 130 << int(QPalette::HighlightedText);
    QTest::newRow("Line2") << "Line2" << 5640 << int(QPalette::WindowText);
    QTest::newRow("Line4") << "Line4" << 5650 << int(QPalette::HighlightedText);
}

void TestAtelLayout::decorativeLines()
{
    QFETCH(QString, name);
    QFETCH(int, y);
    QFETCH(int, role);

    aTel *window = aTel::instance();
    showActive(window);
    auto *line = control(window, name.toLatin1());
    QVERIFY(line);
    QCOMPARE(line->geometry(), QRect(Twips::Point(0, y), QSize(Twips::ToPixels(5640), 1)));
    QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
    // Seen in the window, also where it crosses the headings' labels.
    const QColor colour = QApplication::palette().color(QPalette::ColorRole(role));
    QWidget *surface = window->centralWidget();
    const QImage image = surface->grab().toImage();
    for (int x : {1, 50, 200, 300, Twips::ToPixels(5640) - 20})
        QCOMPARE(image.pixelColor(x, line->y()).rgb(), colour.rgb());
}

void TestAtelLayout::window()
{
    aTel *window = aTel::instance();
    showActive(window);
    QCOMPARE(window->objectName(), QStringLiteral("aTel"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Rubrio"));
    QWidget *client = window->centralWidget();
    QCOMPARE(client->objectName(), QStringLiteral("Surface"));
    QCOMPARE(client->mapToGlobal(QPoint(0, 0)), Twips::Point(2550, 1755));
    QCOMPARE(client->size(), Twips::Size(7485, 5700));
    QVERIFY(window->menuBar()->isVisible());
    QVERIFY(client->y() >= window->menuBar()->height()); // below the menu bar
    QVERIFY(!window->findChild<QStatusBar *>());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QCOMPARE(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    // Only the main window at start.
    int shown = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        shown += top->isVisible();
    QCOMPARE(shown, 1);
}

void TestAtelLayout::largeMenuFont_data()
{
    QTest::addColumn<qreal>("before"); // the desktop's menu font before the window opens
    QTest::addColumn<qreal>("after");  // and after (0: unchanged)
    QTest::newRow("16 pt") << 16.0 << 0.0;
    QTest::newRow("20 pt once shown") << 8.25 << 20.0;
    QTest::newRow("back to 8 pt once shown") << 16.0 << 8.0;
}

void TestAtelLayout::largeMenuFont()
{
    QFETCH(qreal, before);
    QFETCH(qreal, after);

    const QFont previous = QApplication::font("QMenuBar");
    const auto restore = qScopeGuard([&previous] { QApplication::setFont(previous, "QMenuBar"); });
    const auto setMenuFont = [](qreal points) {
        QFont font = QApplication::font();
        font.setPointSizeF(points);
        QApplication::setFont(font, "QMenuBar");
    };
    setMenuFont(before);
    aTel *window = aTel::instance();
    showActive(window);
    QWidget *client = window->centralWidget();
    QCOMPARE(client->mapToGlobal(QPoint(0, 0)), Twips::Point(2550, 1755));
    if (after > 0)
        setMenuFont(after);
    // The whole client area below the whole menu bar.
    QTRY_COMPARE(window->menuBar()->height(), window->menuBar()->sizeHint().height());
    QTRY_COMPARE(client->size(), Twips::Size(7485, 5700));
    QCOMPARE(client->y(), window->menuBar()->geometry().bottom() + 1);
}

void TestAtelLayout::menuTree()
{
    QStringList tree; // each menu by objectName and title, then its items
    for (QAction *title : aTel::instance()->menuBar()->actions()) {
        QMenu *menu = title->menu();
        QVERIFY(menu);
        QVERIFY(title->shortcut().isEmpty());
        tree.append(menu->objectName() + u' ' + menu->title());
        for (QAction *item : menu->actions()) {
            tree.append(QStringLiteral("- ") + item->objectName() + u' ' + item->text());
            // Find is the one item with a shortcut.
            const QKeySequence shortcut = item->objectName() == QLatin1String("Find")
                                              ? QKeySequence(QStringLiteral("Ctrl+F"))
                                              : QKeySequence();
            QVERIFY2(!item->isSeparator() && !item->isCheckable() && item->shortcut() == shortcut &&
                         item->isEnabled() && item->isVisible(),
                     qPrintable(item->objectName()));
            QVERIFY(!item->text().contains(QLatin1Char('&'))); // no access key
        }
    }
    QCOMPARE(tree, QStringList({"File File", "- SaveData Salva...", "- Exit Esci...", "Edit Edit",
                                "- Add Aggiungi...", "- Modify Modifica...", "- Delete Cancella...",
                                "- Find Trova...", "Help Help", "- About About..."}));
}

void TestAtelLayout::initialStates()
{
    aTel *window = aTel::instance();
    // The accessors the other tests use are the named controls.
    QCOMPARE(window->cmdDelete(), control<QPushButton>(window, "CmdDelete"));
    QCOMPARE(window->cmdModify(), control<QPushButton>(window, "CmdModify"));
    QCOMPARE(window->modifyAction(), control<QAction>(window, "Modify"));
    QCOMPARE(window->deleteAction(), control<QAction>(window, "Delete"));
    QCOMPARE(window->contactList(), control<QListWidget>(window, "ContactList"));
    QCOMPARE(window->scrollBar(), control<QScrollBar>(window, "VScroll_Sel_Chr"));
    QCOMPARE(window->list1(), control<QListWidget>(window, "List1"));

    // The first refill disables the two buttons that need a selection.
    for (QPushButton *button : window->findChildren<QPushButton *>())
        QVERIFY2(button->isEnabled() ==
                     (button != window->cmdDelete() && button != window->cmdModify()),
                 qPrintable(button->objectName()));
    QCOMPARE(window->scrollBar()->orientation(), Qt::Vertical);

    // The hidden scratch list keeps what is added in the order it came.
    QListWidget *list1 = window->list1();
    QVERIFY(list1->isHidden());
    QCOMPARE(list1->selectionMode(), QAbstractItemView::SingleSelection);
    list1->addItems({QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("20")});
    QCOMPARE(list1->item(0)->text(), QStringLiteral("3"));

    // Labels and frames never take the focus.
    for (const char *name :
         {"LblName", "Label2", "LblTelNumber", "Lbl_A_Z", "Label1", "Label3", "Frame1", "Frame2"})
        QCOMPARE(control(window, name)->focusPolicy(), Qt::NoFocus);
}

void TestAtelLayout::resizingMovesNothing()
{
    aTel *window = aTel::instance();
    showActive(window);
    const auto places = [window] {
        QList<QRect> all;
        for (QWidget *widget : window->centralWidget()->findChildren<QWidget *>())
            all.append(widget->geometry());
        return all;
    };
    const QList<QRect> before = places();
    QVERIFY(before.size() >= 20);

    window->resize(window->width() + 300, window->height() + 200);
    QTRY_COMPARE(window->centralWidget()->width(), Twips::ToPixels(7485) + 300);
    QCOMPARE(places(), before);
    window->resize(200, 150);
    QTRY_COMPARE(window->width(), 200);
    QCOMPARE(places(), before);
}

void TestAtelLayout::keyboard()
{
    const QByteArray data = "Abate,          Anna,          1\n";
    QVERIFY(m_scope->dir.write(QStringLiteral("data.txt"), data));
    aTel *window = aTel::instance();
    showActive(window);
    QListWidget *list = window->contactList();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QCOMPARE(list->currentRow(), -1); // taking the focus made no row current

    // With a selection all eight controls are in the chain.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QStringList order;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(order, QStringList({"VScroll_Sel_Chr", "CmdModify", "Save", "CmdDelete", "CmdAddNew",
                                 "CmdExit", "CmdAbout", "ContactList"}));

    // No default or cancel button: Enter and Esc run nothing, wherever the
    // focus is.
    for (const QString &name : std::as_const(order)) {
        QWidget *widget = control(window, name.toLatin1());
        widget->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), widget);
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(widget, Qt::Key(key));
    }
    QVERIFY(m_scope->boxes.calls().isEmpty()); // no exit question
    QVERIFY(!m_scope->end.ended());
    QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")), data); // no save
    QVERIFY(window->isVisible());
    QCOMPARE(window->scrollBar()->value(), 0);
    QVERIFY(list->item(0)->isSelected());
}

QTEST_MAIN(TestAtelLayout)
#include "tst_atellayout.moc"
