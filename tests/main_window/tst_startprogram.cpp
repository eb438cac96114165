// The program's start: what StartProgram sets up before the event loop, and
// the main window it leaves on screen.

#include "look/appicon.h"
#include "look/dialogfonts.h"
#include "main_window/atel.h"
#include "main_window/startprogram.h"
#include "platform/appinfo.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/scriptedmsgbox.h"
#include "support/tempcurrentdir.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QFontInfo>
#include <QListWidget>
#include <QTest>

class TestStartProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsLikeTheProgram();
};

void TestStartProgram::startsLikeTheProgram()
{
    TempCurrentDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(dir.write(QStringLiteral("data.txt"), "Abate,          Anna,          06 1\r\n"
                                                  "Rossi,          Mario,         02 7\r\n"));
    ScriptedMsgBox boxes;

    StartProgram(*qApp);

    QCOMPARE(QApplication::applicationName(), App::Title());
    const QImage icon = AppIconPixmap().toImage();
    QCOMPARE(QApplication::windowIcon().pixmap(32, 32).toImage().convertToFormat(icon.format()),
             icon);
    // The windows' icon has every size the package installs, each drawn for
    // its size rather than scaled from another.
    for (const int side : {16, 32, 48, 64, 128, 256}) {
        const QSize size(side, side);
        QVERIFY2(QApplication::windowIcon().availableSizes().contains(size),
                 qPrintable(QString::number(side)));
        QCOMPARE(QApplication::windowIcon().pixmap(size).size(), size);
    }
    // The dialog font, or its stand-in where it is not installed.
    QVERIFY(QStringList({DialogFonts::SansSerif, DialogFonts::SansSerifStandIn})
                .contains(QFontInfo(QApplication::font()).family()));
    QCOMPARE(QApplication::font().pointSizeF(), DialogFonts::DialogPointSize);

    // The main window is on screen with data.txt loaded and "A" listed.
    aTel *window = aTel::instance();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(int(GlobalModule::ContactCount), 2);
    QCOMPARE(window->contactList()->count(), 1);
    QCOMPARE(window->contactList()->item(0)->text(),
             GlobalModule::FormatContactLine(QStringLiteral("Abate"), QStringLiteral("Anna"),
                                             QStringLiteral("06 1")));
    QCoreApplication::processEvents();
    QVERIFY(boxes.calls().isEmpty()); // nothing to report about this file

    deleteAllWindows();
    ContactTable::clear();
}

QTEST_MAIN(TestStartProgram)
#include "tst_startprogram.moc"
