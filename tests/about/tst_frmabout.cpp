#include "about/frmabout.h"
#include "look/appicon.h"
#include "platform/linecontrol.h"
#include "platform/runtime.h"
#include "support/memoryregistry.h"
#include "support/scriptedmsgbox.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <set>

namespace {

int aboutBoxes()
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += qobject_cast<frmAbout *>(window) != nullptr && window->isVisible();
    return count;
}

} // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void layout_data();
    void layout();
    void etchedSeparator();
    void fixedDialogWithoutOwner();
    void tabOrderStartsOnOK();
    void secondOpeningRaisesSameBox();
    void unloads_data();
    void unloads();
    void sysInfoStartsTool_data();
    void sysInfoStartsTool();
    void icon();

private:
    // Opens the About box and waits until it is the active window.
    frmAbout *openActive();
};

frmAbout *TestFrmAbout::openActive()
{
    Runtime::ShowNotModal(frmAbout::instance());
    frmAbout *about = openWindow<frmAbout>();
    if (about && !QTest::qWaitForWindowActive(about))
        return nullptr;
    return about;
}

void TestFrmAbout::cleanup()
{
    QPointer<frmAbout> about = openWindow<frmAbout>();
    if (about)
        about->close();
    QTRY_VERIFY(about.isNull());
    Registry::Install(nullptr);
    Runtime::Shell.replace({});
    Runtime::Dir.replace({});
}

void TestFrmAbout::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("blackText");

    const auto row = [](const char *name, QRect geometry, const char *text, bool blackText) {
        QTest::newRow(name) << QString::fromLatin1(name) << geometry << QString::fromLatin1(text)
                            << blackText;
    };
    // Twips divided by 15, each edge rounded on its own.
    row("picIcon", {16, 16, 36, 36}, "", false);
    row("cmdOK", {283, 175, 84, 23}, "OK", false);
    row("cmdSysInfo", {284, 205, 83, 23}, "&System Info...", false);
    row("lblDescription", {70, 75, 259, 78}, "Esempio di Rubrio Telefonica...", true);
    row("lblTitle", {70, 16, 259, 32}, "Rubrio", true);
    row("lblVersion", {72, 52, 259, 15}, "Version 1.0.0", false);
    row("lblDisclaimer", {17, 175, 258, 55}, "Bla...Bla...Bla...Bla...Bla...", true);
}

void TestFrmAbout::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, blackText);

    frmAbout *about = openActive();
    QVERIFY(about);
    auto *widget = about->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    QVERIFY(widget->isVisible());
    QVERIFY(widget->isEnabled());
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), text);
    if (auto *label = qobject_cast<QLabel *>(widget); label && name != u"picIcon") {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(label->wordWrap());
        QCOMPARE(label->palette().color(QPalette::WindowText),
                 blackText ? QColor(Qt::black)
                           : QApplication::palette(label).color(QPalette::WindowText));
    }
}

void TestFrmAbout::etchedSeparator()
{
    frmAbout *about = openActive();
    QVERIFY(about);
    // Two controls of one name, told apart by Index: a grey rule with a white
    // one below it.
    const QList<LineControl *> lines = about->findChildren<LineControl *>(QStringLiteral("Line1"));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0]->property("Index").toInt() + lines[1]->property("Index").toInt(), 1);
    for (const LineControl *line : lines) {
        const bool grey = line->property("Index").toInt() == 1;
        QCOMPARE(line->geometry(), grey ? QRect(6, 163, 371, 1) : QRect(7, 164, 370, 2));
        QCOMPARE(line->color(), grey ? QColor(128, 128, 128) : QColor(255, 255, 255));
    }
    const QImage image = about->grab().toImage();
    QCOMPARE(QColor(image.pixel(100, 163)), QColor(128, 128, 128));
    QCOMPARE(QColor(image.pixel(100, 164)), QColor(255, 255, 255));
    QCOMPARE(QColor(image.pixel(100, 165)), QColor(255, 255, 255));
}

void TestFrmAbout::fixedDialogWithoutOwner()
{
    frmAbout *about = openActive();
    QVERIFY(about);
    QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about->windowTitle(), QStringLiteral("About Rubrio"));
    QCOMPARE(about->geometry(), QRect(260, 187, 382, 237));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    const Qt::WindowFlags flags = about->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!about->parentWidget());
    QCOMPARE(about->windowModality(), Qt::NonModal);

    // Another window of the program can take the focus meanwhile.
    QWidget other;
    showActive(&other);
    QVERIFY(other.isActiveWindow());
    QVERIFY(about->isVisible());
}

void TestFrmAbout::tabOrderStartsOnOK()
{
    frmAbout *about = openActive();
    QVERIFY(about);
    QCOMPARE(QApplication::focusWidget(), control(about, "cmdOK"));
    const QStringList expected{"picIcon", "cmdSysInfo", "cmdOK", "picIcon"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, expected);
}

void TestFrmAbout::secondOpeningRaisesSameBox()
{
    frmAbout *about = openActive();
    QVERIFY(about);
    auto *title = control<QLabel>(about, "lblTitle");
    title->setText(QStringLiteral("changed"));

    QWidget other;
    showActive(&other);
    QVERIFY(other.isActiveWindow());

    Runtime::ShowNotModal(frmAbout::instance());
    QCOMPARE(openWindow<frmAbout>(), about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(title->text(), QStringLiteral("changed"));
    QCOMPARE(aboutBoxes(), 1);
}

void TestFrmAbout::unloads_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("focus");
    const auto row = [](const char *name, const char *how, const char *focus) {
        QTest::newRow(name) << QString::fromLatin1(how) << QString::fromLatin1(focus);
    };
    row("OK clicked", "click", "cmdOK");
    row("Enter on OK", "enter", "cmdOK");
    row("Enter on picIcon", "enter", "picIcon");
    row("Esc", "escape", "cmdOK");
    row("Esc on System Info", "escape", "cmdSysInfo");
    row("close box", "close", "cmdOK");
}

void TestFrmAbout::unloads()
{
    QFETCH(QString, how);
    QFETCH(QString, focus);

    QPointer<frmAbout> about = openActive();
    QVERIFY(about);
    control<QLabel>(about, "lblTitle")->setText(QStringLiteral("changed"));
    QWidget *focused = about->findChild<QWidget *>(focus);
    focused->setFocus();
    QCOMPARE(QApplication::focusWidget(), focused);

    if (how == u"click")
        QTest::mouseClick(control(about, "cmdOK"), Qt::LeftButton);
    else if (how == u"enter")
        QTest::keyClick(focused, Qt::Key_Return);
    else if (how == u"escape")
        QTest::keyClick(focused, Qt::Key_Escape);
    else
        QVERIFY(about->windowHandle()->close());

    QVERIFY(!openWindow<frmAbout>());
    QTRY_VERIFY(about.isNull());
    QCOMPARE(aboutBoxes(), 0);

    // Opened again: a new window, loaded anew.
    frmAbout *again = openActive();
    QVERIFY(again);
    QCOMPARE(control<QLabel>(again, "lblTitle")->text(), QStringLiteral("Rubrio"));
    QCOMPARE(QApplication::focusWidget(), control(again, "cmdOK"));
}

void TestFrmAbout::sysInfoStartsTool_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("registered");

    QTest::newRow("click") << "click" << true;
    QTest::newRow("Enter on System Info") << "enter" << true;
    QTest::newRow("Alt+S") << "alt" << true;
    QTest::newRow("click, tool missing") << "click" << false;
}

void TestFrmAbout::sysInfoStartsTool()
{
    QFETCH(QString, how);
    QFETCH(bool, registered);

    MemoryRegistry registry;
    if (registered)
        registry.SetValue(Registry::HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                          "PATH", Registry::RegSz, std::string("C:\\info.exe", 12));
    Registry::Install(&registry);
    QStringList started;
    Runtime::Shell.replace([&started](const QString &command, int) {
        started.append(command);
        return true;
    });
    ScriptedMsgBox msgBox;

    frmAbout *about = openActive();
    QVERIFY(about);
    auto *sysInfo = control<QPushButton>(about, "cmdSysInfo");
    if (how == u"click") {
        QTest::mouseClick(sysInfo, Qt::LeftButton);
    } else if (how == u"enter") {
        sysInfo->setFocus();
        QTest::keyClick(sysInfo, Qt::Key_Return);
    } else {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    }

    // An access key presses its button the way a click does, after a moment.
    QTRY_COMPARE(started.size() + msgBox.calls().size(), 1);
    QCOMPARE(started, registered ? QStringList{QStringLiteral("C:\\info.exe")} : QStringList());
    QCOMPARE(msgBox.calls().size(), registered ? 0 : 1);
    QCOMPARE(openWindow<frmAbout>(), about);
    QVERIFY(about->isVisible());
}

void TestFrmAbout::icon()
{
    const QImage image = AppIconPixmap().toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    // The 16 colours of the standard palette, and transparency.
    const std::set<QRgb> palette{0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000,
                                 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
                                 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                                 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    std::set<QRgb> used;
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            QCOMPARE(qAlpha(pixel), 255);
            QVERIFY2(palette.count(pixel), qPrintable(QString::number(pixel, 16)));
            used.insert(pixel);
            ++opaque;
        }
    }
    QVERIFY(used.size() >= 4);
    QVERIFY(opaque > 32 * 32 / 3);

    QCOMPARE(AppIcon().pixmap(32, 32).toImage().convertToFormat(image.format()), image);

    frmAbout *about = openActive();
    QVERIFY(about);
    QCOMPARE(control<QLabel>(about, "picIcon")->pixmap().toImage().convertToFormat(image.format()),
             image);
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
