// The main window against its description: places in twips, texts, fonts,
// colours, initial states, menus, tab order and the keys that do nothing.

#include "atel.h"
#include "dialogfonts.h"
#include "support/endrecorder.h"
#include "support/scriptedmsgbox.h"
#include "support/tempcurrentdir.h"
#include "support/windowtest.h"
#include "twips.h"

#include <QAction>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolTip>

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

const char *const surfaceControls[] = {
    "LblName", "Label2",    "LblTelNumber", "ContactList", "Lbl_A_Z", "VScroll_Sel_Chr",
    "Frame1",  "CmdAddNew", "CmdModify",    "CmdDelete",   "Save",    "Label1",
    "Label3",  "Frame2",    "CmdAbout",     "CmdExit",     "Line1",   "Line2",
    "Line3",   "Line4"};

} // namespace

class TestAtelLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void captionsFit_data();
    void captionsFit();
    void lettersFitOnePerLine();
    void decorativeLines_data();
    void decorativeLines();
    void window();
    void menuTree_data();
    void menuTree();
    void initialStates();
    void resizingMovesNothing();
    void tabOrderAndInitialFocus();
    void enterAndEscapeRunNothing();
    void toolTips_data();
    void toolTips();

private:
    aTel *shownWindow();

    std::unique_ptr<TempCurrentDir> m_dir;
    std::unique_ptr<ScriptedMsgBox> m_boxes;
    std::unique_ptr<EndRecorder> m_end;
};

void TestAtelLayout::initTestCase()
{
    DialogFonts::Install();
}

void TestAtelLayout::init()
{
    m_dir = std::make_unique<TempCurrentDir>();
    QVERIFY(m_dir->isValid());
    m_boxes = std::make_unique<ScriptedMsgBox>();
    m_end = std::make_unique<EndRecorder>();
}

void TestAtelLayout::cleanup()
{
    deleteAllWindows();
    m_end.reset();
    m_boxes.reset();
    m_dir.reset();
}

aTel *TestAtelLayout::shownWindow()
{
    aTel *window = aTel::instance();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("main window not active");
    return window;
}

void TestAtelLayout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");

    const auto row = [](const char *name, const char *kind, const char *parent, const QString &text,
                        int left, int top, int width, int height) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                            << QString::fromLatin1(parent) << text
                            << QRect(left, top, width, height);
    };
    row("LblName", "QLabel", "Surface", "Cognome", 0, 120, 1455, 255);
    row("Label2", "QLabel", "Surface", "Nome", 1800, 120, 1455, 255);
    row("LblTelNumber", "QLabel", "Surface", "Telefono", 3360, 120, 1095, 255);
    row("ContactList", "QListWidget", "Surface", "", 0, 360, 5175, 5070);
    row("Lbl_A_Z", "QLabel", "Surface", "A B C D E F G H I J K L M N O P Q R S T U V W X Y Z ",
        5280, 360, 150, 5175);
    row("VScroll_Sel_Chr", "QScrollBar", "Surface", "", 5520, 120, 255, 5545);
    row("Frame1", "QGroupBox", "Surface", "Records", 5880, 20, 1575, 2775);
    row("CmdAddNew", "QPushButton", "Frame1", "Aggiungi Record", 120, 360, 1335, 495);
    row("CmdModify", "QPushButton", "Frame1", "Modifica Record", 120, 960, 1335, 495);
    row("CmdDelete", "QPushButton", "Frame1", "Cancella Record", 120, 1560, 1335, 495);
    row("Save", "QPushButton", "Frame1", "Salva Record", 120, 2160, 1335, 495);
    row("Label1", "QLabel", "Surface", "Label1", 5880, 2880, 1575, 375);
    row("Label3", "QLabel", "Surface", "Label3", 5880, 3360, 1575, 375);
    row("Frame2", "QGroupBox", "Surface", "", 5880, 4080, 1575, 1575);
    row("CmdAbout", "QPushButton", "Frame2", "About...", 120, 360, 1335, 495);
    row("CmdExit", "QPushButton", "Frame2", "Esci", 120, 960, 1335, 495);
}

void TestAtelLayout::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parentName);
    QFETCH(QString, text);
    QFETCH(QRect, twips);

    aTel *window = aTel::instance();
    auto *widget = control(window, name.toLatin1());
    QVERIFY(widget);
    QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(textOf(widget), text);
    QCOMPARE(widget->geometry(), Twips::Rect(twips.x(), twips.y(), twips.width(), twips.height()));
    QVERIFY(!widget->isHidden());
}

void TestAtelLayout::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("italic");

    const QString sans = QStringLiteral("Liberation Sans");
    QTest::newRow("LblName") << "LblName" << sans << 9.75 << true;
    QTest::newRow("Label2") << "Label2" << sans << 9.75 << true;
    QTest::newRow("LblTelNumber") << "LblTelNumber" << sans << 9.75 << true;
    QTest::newRow("ContactList") << "ContactList" << QStringLiteral("Liberation Mono") << 8.25
                                 << false;
    for (const char *name : {"Lbl_A_Z", "Label1", "Label3", "Frame1", "CmdAddNew", "CmdModify",
                             "CmdDelete", "Save", "CmdAbout", "CmdExit"})
        QTest::newRow(name) << name << sans << 8.25 << false;
}

void TestAtelLayout::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, italic);

    auto *widget = control(aTel::instance(), name.toLatin1());
    QVERIFY(widget);
    const QFontInfo info(widget->font());
    // The stand-in must be installed: no other font keeps the captions' sizes.
    QCOMPARE(info.family(), family);
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(info.pixelSize(), qRound(points * 96 / 72)); // never the desktop's larger size
    QCOMPARE(info.italic(), italic);
    QCOMPARE(widget->font().weight(), QFont::Normal);
    if (name == QLatin1String("ContactList"))
        QVERIFY(info.fixedPitch());
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

void TestAtelLayout::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"LblName", "Label2", "LblTelNumber", "Label1", "Label3", "Frame1",
                             "CmdAddNew", "CmdModify", "CmdDelete", "Save", "CmdAbout", "CmdExit"})
        QTest::newRow(name) << name;
}

void TestAtelLayout::captionsFit()
{
    QFETCH(QString, name);
    auto *widget = control(aTel::instance(), name.toLatin1());
    QVERIFY(widget);
    const QFontMetrics metrics(widget->font());
    const QString text = textOf(widget);
    QRect room = widget->contentsRect();
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    } else if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = text;
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = frame->alignment();
        option.lineWidth = 1;
        room = frame->rect().adjusted(8, 0, -8, 0); // the title sits inside the border
    }
    QVERIFY2(metrics.horizontalAdvance(text) <= room.width(),
             qPrintable(QStringLiteral("%1 needs %2 px, has %3")
                            .arg(text)
                            .arg(metrics.horizontalAdvance(text))
                            .arg(room.width())));
    QVERIFY(metrics.height() <= room.height());
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

    aTel *window = shownWindow();
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
    aTel *window = shownWindow();
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

void TestAtelLayout::menuTree_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("File") << "File" << QStringList{"SaveData", "Exit"}
                          << QStringList{"Salva...", "Esci..."};
    QTest::newRow("Edit") << "Edit" << QStringList{"Add", "Modify", "Delete"}
                          << QStringList{"Aggiungi...", "Modifica...", "Cancella..."};
    QTest::newRow("Help") << "Help" << QStringList{"About"} << QStringList{"About..."};
}

void TestAtelLayout::menuTree()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, names);
    QFETCH(QStringList, texts);

    aTel *window = aTel::instance();
    QStringList bar;
    for (QAction *title : window->menuBar()->actions())
        bar.append(title->menu() ? title->menu()->objectName() : QString());
    QCOMPARE(bar, QStringList({"File", "Edit", "Help"}));

    auto *popup = control<QMenu>(window, menu.toLatin1());
    QVERIFY(popup);
    QCOMPARE(popup->title(), menu);
    QCOMPARE(popup->menuAction()->shortcut(), QKeySequence());
    QStringList actualNames;
    QStringList actualTexts;
    for (QAction *item : popup->actions()) {
        actualNames.append(item->objectName());
        actualTexts.append(item->text());
        QVERIFY(!item->isSeparator());
        QVERIFY(!item->isCheckable());
        QVERIFY(item->shortcut().isEmpty());
        QVERIFY(item->isEnabled());
        QVERIFY(item->isVisible());
        QVERIFY(!item->text().contains(QLatin1Char('&'))); // no access key
    }
    QCOMPARE(actualNames, names);
    QCOMPARE(actualTexts, texts);
}

void TestAtelLayout::initialStates()
{
    aTel *window = aTel::instance();
    // Every button is enabled when created; the first refill then disables
    // the two that need a selection.
    for (const char *name : {"CmdAddNew", "Save", "CmdAbout", "CmdExit"})
        QVERIFY2(control(window, name)->isEnabled(), name);
    QVERIFY(!window->cmdDelete()->isEnabled());
    QVERIFY(!window->cmdModify()->isEnabled());
    QCOMPARE(window->cmdDelete(), control<QPushButton>(window, "CmdDelete"));
    QCOMPARE(window->cmdModify(), control<QPushButton>(window, "CmdModify"));
    QCOMPARE(window->modifyAction(), control<QAction>(window, "Modify"));
    QCOMPARE(window->deleteAction(), control<QAction>(window, "Delete"));

    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }

    QListWidget *list = window->contactList();
    QCOMPARE(list, control<QListWidget>(window, "ContactList"));
    QCOMPARE(list->count(), 0);
    QCOMPARE(list->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(list->currentRow(), -1);
    QVERIFY(list->isEnabled());

    QScrollBar *bar = window->scrollBar();
    QCOMPARE(bar, control<QScrollBar>(window, "VScroll_Sel_Chr"));
    QCOMPARE(bar->orientation(), Qt::Vertical);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 25);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->pageStep(), 1);
    QVERIFY(!bar->hasTracking());

    // The hidden scratch list keeps what is added in the order it came.
    QListWidget *list1 = window->list1();
    QCOMPARE(list1, control<QListWidget>(window, "List1"));
    QVERIFY(list1->isHidden());
    QCOMPARE(list1->count(), 0);
    QCOMPARE(list1->selectionMode(), QAbstractItemView::SingleSelection);
    list1->addItems({QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("20")});
    QCOMPARE(list1->item(0)->text(), QStringLiteral("3"));
    QCOMPARE(list1->item(2)->text(), QStringLiteral("20"));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(!list1->isVisible());

    // Labels and frames never take the focus.
    for (const char *name :
         {"LblName", "Label2", "LblTelNumber", "Lbl_A_Z", "Label1", "Label3", "Frame1", "Frame2"})
        QCOMPARE(control(window, name)->focusPolicy(), Qt::NoFocus);
}

void TestAtelLayout::resizingMovesNothing()
{
    aTel *window = shownWindow();
    QHash<QString, QRect> before;
    for (const char *name : surfaceControls)
        before.insert(QString::fromLatin1(name), control(window, name)->geometry());

    window->resize(window->width() + 300, window->height() + 200);
    QTRY_COMPARE(window->centralWidget()->width(), Twips::ToPixels(7485) + 300);
    for (const char *name : surfaceControls)
        QCOMPARE(control(window, name)->geometry(), before.value(QString::fromLatin1(name)));

    window->resize(200, 150);
    QTRY_COMPARE(window->width(), 200);
    for (const char *name : surfaceControls)
        QCOMPARE(control(window, name)->geometry(), before.value(QString::fromLatin1(name)));
}

void TestAtelLayout::tabOrderAndInitialFocus()
{
    QVERIFY(m_dir->write(QStringLiteral("data.txt"), "Abate,          Anna,          1\r\n"));
    aTel *window = shownWindow();
    QListWidget *list = window->contactList();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QCOMPARE(list->currentRow(), -1); // taking the focus made no row current

    // With a selection all eight controls are in the chain.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QVERIFY(window->cmdModify()->isEnabled());
    QStringList order;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(order, QStringList({"VScroll_Sel_Chr", "CmdModify", "Save", "CmdDelete", "CmdAddNew",
                                 "CmdExit", "CmdAbout", "ContactList"}));
}

void TestAtelLayout::enterAndEscapeRunNothing()
{
    const QByteArray data = "Abate,          Anna,          1\n";
    QVERIFY(m_dir->write(QStringLiteral("data.txt"), data));
    aTel *window = shownWindow();
    QListWidget *list = window->contactList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    for (const char *name : {"ContactList", "VScroll_Sel_Chr", "CmdModify", "Save", "CmdDelete",
                             "CmdAddNew", "CmdExit", "CmdAbout"}) {
        QWidget *widget = control(window, name);
        widget->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), widget);
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(widget, Qt::Key(key));
    }
    QVERIFY(m_boxes->calls().isEmpty()); // no exit question
    QVERIFY(!m_end->ended());
    QCOMPARE(m_dir->read(QStringLiteral("data.txt")), data); // no save
    QVERIFY(window->isVisible());
    QCOMPARE(window->scrollBar()->value(), 0);
    QVERIFY(list->item(0)->isSelected());
}

void TestAtelLayout::toolTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    QTest::newRow("CmdAddNew") << "CmdAddNew"
                               << "Click on this button to add new contacts record";
    QTest::newRow("CmdDelete") << "CmdDelete"
                               << "Delete selected record(s)";
    for (const char *name : {"CmdModify", "Save", "CmdAbout", "CmdExit"})
        QTest::newRow(name) << name << QString();
}

void TestAtelLayout::toolTips()
{
    QFETCH(QString, name);
    QFETCH(QString, tip);
    aTel *window = shownWindow();
    window->contactList()->addItem(QStringLiteral("x")); // enables nothing by itself
    window->cmdDelete()->setEnabled(true);
    window->cmdModify()->setEnabled(true);
    QWidget *button = control(window, name.toLatin1());
    QCOMPARE(button->toolTip(), tip);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    const QPoint at = button->rect().center();
    QHelpEvent pointing(QEvent::ToolTip, at, button->mapToGlobal(at));
    QApplication::sendEvent(button, &pointing);
    QCOMPARE(QToolTip::isVisible(), !tip.isEmpty());
    QCOMPARE(QToolTip::text(), tip);
}

QTEST_MAIN(TestAtelLayout)
#include "tst_atellayout.moc"
