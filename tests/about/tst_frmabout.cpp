#include "appicon.h"
#include "frmabout.h"
#include "linecontrol.h"
#include "memoryregistry.h"
#include "runtime.h"
#include "support/scriptedmsgbox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <set>

namespace {

template <typename T = QWidget> T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

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
    void formLoadTexts();
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
    frmAbout::Open();
    frmAbout *about = frmAbout::Instance();
    if (about && !QTest::qWaitForWindowActive(about))
        return nullptr;
    return about;
}

void TestFrmAbout::cleanup()
{
    QPointer<frmAbout> about = frmAbout::Instance();
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

    // Twips divided by 15, each edge rounded on its own.
    QTest::newRow("picIcon") << "picIcon" << QRect(16, 16, 36, 36) << QString() << false;
    QTest::newRow("cmdOK") << "cmdOK" << QRect(283, 175, 84, 23) << "OK" << false;
    QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(284, 205, 83, 23) << "&System Info..."
                                << false;
    QTest::newRow("lblDescription")
        << "lblDescription" << QRect(70, 75, 259, 78) << "Esempio di Rubrio Telefonica..." << true;
    QTest::newRow("lblTitle") << "lblTitle" << QRect(70, 16, 259, 32) << "Rubrio" << true;
    QTest::newRow("lblVersion") << "lblVersion" << QRect(72, 52, 259, 15) << "Version 1.0.0"
                                << false;
    QTest::newRow("lblDisclaimer")
        << "lblDisclaimer" << QRect(17, 175, 258, 55) << "Bla...Bla...Bla...Bla...Bla..." << true;
}

void TestFrmAbout::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, blackText);

    frmAbout *about = openActive();
    QVERIFY(about);
    QCOMPARE(about->geometry(), QRect(260, 187, 382, 237));

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
        const QColor color = label->palette().color(QPalette::WindowText);
        if (blackText)
            QCOMPARE(color, QColor(Qt::black));
        else
            QCOMPARE(color, QApplication::palette(label).color(QPalette::WindowText));
    }
}

void TestFrmAbout::etchedSeparator()
{
    frmAbout *about = openActive();
    QVERIFY(about);
    const QList<LineControl *> lines = about->findChildren<LineControl *>(QStringLiteral("Line1"));
    QCOMPARE(lines.size(), 2);
    const bool firstIsZero = lines[0]->property("Index").toInt() == 0;
    const LineControl *line0 = firstIsZero ? lines[0] : lines[1];
    const LineControl *line1 = firstIsZero ? lines[1] : lines[0];
    QCOMPARE(line0->property("Index").toInt(), 0);
    QCOMPARE(line1->property("Index").toInt(), 1);

    QCOMPARE(line1->geometry(), QRect(6, 163, 371, 1));
    QCOMPARE(line1->color(), QColor(128, 128, 128));
    QCOMPARE(line0->geometry(), QRect(7, 164, 370, 2));
    QCOMPARE(line0->color(), QColor(255, 255, 255));

    const QImage image = about->grab().toImage();
    QCOMPARE(QColor(image.pixel(100, 163)), QColor(128, 128, 128));
    QCOMPARE(QColor(image.pixel(100, 164)), QColor(255, 255, 255));
    QCOMPARE(QColor(image.pixel(100, 165)), QColor(255, 255, 255));
}

void TestFrmAbout::formLoadTexts()
{
    frmAbout *about = openActive();
    QVERIFY(about);
    QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about->windowTitle(), QStringLiteral("About Rubrio"));
    QCOMPARE(child<QLabel>(about, "lblTitle")->text(), QStringLiteral("Rubrio"));
    QCOMPARE(child<QLabel>(about, "lblVersion")->text(), QStringLiteral("Version 1.0.0"));
}

void TestFrmAbout::fixedDialogWithoutOwner()
{
    frmAbout *about = openActive();
    QVERIFY(about);
    const Qt::WindowFlags flags = about->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(about->minimumSize(), QSize(382, 237));
    QCOMPARE(about->maximumSize(), QSize(382, 237));
    QVERIFY(!about->parentWidget());
    QVERIFY(about->isWindow());
    QCOMPARE(about->windowModality(), Qt::NonModal);
    QVERIFY(!QApplication::activeModalWidget());

    // Another window of the program can take the focus meanwhile.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(about->isVisible());
}

void TestFrmAbout::tabOrderStartsOnOK()
{
    frmAbout *about = openActive();
    QVERIFY(about);
    QCOMPARE(QApplication::focusWidget(), child(about, "cmdOK"));
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
    auto *title = child<QLabel>(about, "lblTitle");
    title->setText(QStringLiteral("changed"));

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));

    frmAbout::Open();
    QCOMPARE(frmAbout::Instance(), about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(title->text(), QStringLiteral("changed"));
    QCOMPARE(aboutBoxes(), 1);
}

void TestFrmAbout::unloads_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("focus");

    QTest::newRow("OK clicked") << "click"
                                << "cmdOK";
    QTest::newRow("Enter on OK") << "enter"
                                 << "cmdOK";
    QTest::newRow("Enter on picIcon") << "enter"
                                      << "picIcon";
    QTest::newRow("Esc") << "escape"
                         << "cmdOK";
    QTest::newRow("Esc on System Info") << "escape"
                                        << "cmdSysInfo";
    QTest::newRow("close box") << "close"
                               << "cmdOK";
}

void TestFrmAbout::unloads()
{
    QFETCH(QString, how);
    QFETCH(QString, focus);

    QPointer<frmAbout> about = openActive();
    QVERIFY(about);
    child<QLabel>(about, "lblTitle")->setText(QStringLiteral("changed"));
    QWidget *focused = about->findChild<QWidget *>(focus);
    focused->setFocus();
    QCOMPARE(QApplication::focusWidget(), focused);

    if (how == u"click")
        QTest::mouseClick(child(about, "cmdOK"), Qt::LeftButton);
    else if (how == u"enter")
        QTest::keyClick(focused, Qt::Key_Return);
    else if (how == u"escape")
        QTest::keyClick(focused, Qt::Key_Escape);
    else
        QVERIFY(about->windowHandle()->close());

    QVERIFY(!frmAbout::Instance());
    QTRY_VERIFY(about.isNull());
    QCOMPARE(aboutBoxes(), 0);

    // Opened again: a new window, loaded anew.
    frmAbout *again = openActive();
    QVERIFY(again);
    QCOMPARE(child<QLabel>(again, "lblTitle")->text(), QStringLiteral("Rubrio"));
    QCOMPARE(QApplication::focusWidget(), child(again, "cmdOK"));
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
    auto *sysInfo = child<QPushButton>(about, "cmdSysInfo");
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
    QCOMPARE(frmAbout::Instance(), about);
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

    QVERIFY(!AppIcon().isNull());
    QCOMPARE(AppIcon().pixmap(32, 32).toImage().convertToFormat(image.format()), image);

    frmAbout *about = openActive();
    QVERIFY(about);
    QCOMPARE(child<QLabel>(about, "picIcon")->pixmap().toImage().convertToFormat(image.format()),
             image);
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
