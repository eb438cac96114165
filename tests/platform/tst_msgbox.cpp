#include "platform/appinfo.h"
#include "platform/msgbox.h"
#include "support/scriptedmsgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using Buttons = QList<int>;

class TestMsgBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void styleDecoding_data();
    void styleDecoding();
    void escapeAnswersOnlyWhereCancelOrSingleOk_data();
    void escapeAnswersOnlyWhereCancelOrSingleOk();
    void titleDefaultsToApplicationTitle_data();
    void titleDefaultsToApplicationTitle();
    void answerComesBackUnchanged();
    void buttonCodes_data();
    void buttonCodes();
};

void TestMsgBox::styleDecoding_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("defaultButton");

    QTest::newRow("0 OK") << 0 << Buttons{QMessageBox::Ok} << int(QMessageBox::NoIcon)
                          << int(QMessageBox::Ok);
    QTest::newRow("16 OK critical")
        << 16 << Buttons{QMessageBox::Ok} << int(QMessageBox::Critical) << int(QMessageBox::Ok);
    QTest::newRow("1 OK/Cancel") << 1 << Buttons{QMessageBox::Ok, QMessageBox::Cancel}
                                 << int(QMessageBox::NoIcon) << int(QMessageBox::Ok);
    QTest::newRow("2 Abort/Retry/Ignore")
        << 2 << Buttons{QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}
        << int(QMessageBox::NoIcon) << int(QMessageBox::Abort);
    QTest::newRow("3+48+512 Yes/No/Cancel, third default")
        << 3 + 48 + 512 << Buttons{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}
        << int(QMessageBox::Warning) << int(QMessageBox::Cancel);
    QTest::newRow("292 exit question") << 292 << Buttons{QMessageBox::Yes, QMessageBox::No}
                                       << int(QMessageBox::Question) << int(QMessageBox::No);
    QTest::newRow("4 Yes/No") << 4 << Buttons{QMessageBox::Yes, QMessageBox::No}
                              << int(QMessageBox::NoIcon) << int(QMessageBox::Yes);
    QTest::newRow("5+64 Retry/Cancel information")
        << 5 + 64 << Buttons{QMessageBox::Retry, QMessageBox::Cancel}
        << int(QMessageBox::Information) << int(QMessageBox::Retry);
    QTest::newRow("0+512 third default on one button falls back to the first")
        << 512 << Buttons{QMessageBox::Ok} << int(QMessageBox::NoIcon) << int(QMessageBox::Ok);
}

void TestMsgBox::styleDecoding()
{
    QFETCH(int, style);
    QFETCH(Buttons, buttons);
    QFETCH(int, icon);
    QFETCH(int, defaultButton);

    const auto box =
        CreateMessageBox({QStringLiteral("prompt"), style, QStringLiteral("t"), {}, 0});
    Buttons actual;
    for (QAbstractButton *button : box->buttons())
        actual.append(box->standardButton(button));
    std::sort(actual.begin(), actual.end());
    std::sort(buttons.begin(), buttons.end());
    QCOMPARE(actual, buttons);
    QCOMPARE(int(box->icon()), icon);
    QVERIFY(box->defaultButton());
    QCOMPARE(int(box->standardButton(box->defaultButton())), defaultButton);
    QCOMPARE(box->text(), QStringLiteral("prompt"));
    QCOMPARE(box->windowTitle(), QStringLiteral("t"));
}

void TestMsgBox::escapeAnswersOnlyWhereCancelOrSingleOk_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("escapeCloses");
    QTest::newRow("OK") << 16 << true;
    QTest::newRow("OK/Cancel") << 1 << true;
    QTest::newRow("Yes/No/Cancel") << 3 << true;
    QTest::newRow("Yes/No") << 292 << false;
    QTest::newRow("Abort/Retry/Ignore") << 2 << false;
}

void TestMsgBox::escapeAnswersOnlyWhereCancelOrSingleOk()
{
    QFETCH(int, style);
    QFETCH(bool, escapeCloses);
    const auto box =
        CreateMessageBox({QStringLiteral("prompt"), style, QStringLiteral("t"), {}, 0});
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QTest::keyClick(box.get(), Qt::Key_Escape);
    QCOMPARE(box->isVisible(), !escapeCloses);
    if (box->isVisible()) {
        box->close(); // the close box answers nothing either
        QVERIFY(box->isVisible());
    }
}

void TestMsgBox::titleDefaultsToApplicationTitle_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none") << QString() << App::Title();
    QTest::newRow("own") << QStringLiteral("Chiusura ...") << QStringLiteral("Chiusura ...");
}

void TestMsgBox::titleDefaultsToApplicationTitle()
{
    QFETCH(QString, given);
    QFETCH(QString, shown);
    ScriptedMsgBox answerer({MsgBoxResult::OK});
    MsgBox(QStringLiteral("p"), 16, given, QStringLiteral("DEMO.HLP"), 1000);
    QCOMPARE(answerer.calls().size(), 1);
    const MsgBoxCall &call = answerer.calls().first();
    QCOMPARE(call.title, shown);
    QCOMPARE(call.prompt, QStringLiteral("p"));
    QCOMPARE(call.style, 16);
    QCOMPARE(call.helpFile, QStringLiteral("DEMO.HLP"));
    QCOMPARE(call.context, 1000);
    QCOMPARE(App::Title(), QStringLiteral("Rubrio"));
}

void TestMsgBox::answerComesBackUnchanged()
{
    ScriptedMsgBox answerer({MsgBoxResult::Yes, MsgBoxResult::No});
    QCOMPARE(MsgBox(QStringLiteral("a"), 292), int(MsgBoxResult::Yes));
    QCOMPARE(MsgBox(QStringLiteral("b"), 292), int(MsgBoxResult::No));
    // Unscripted: the default button, here No.
    QCOMPARE(MsgBox(QStringLiteral("c"), 292), int(MsgBoxResult::No));
    QCOMPARE(answerer.prompts(), QStringList({"a", "b", "c"}));
}

void TestMsgBox::buttonCodes_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("code");
    QTest::newRow("OK") << int(QMessageBox::Ok) << 1;
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << 2;
    QTest::newRow("Abort") << int(QMessageBox::Abort) << 3;
    QTest::newRow("Retry") << int(QMessageBox::Retry) << 4;
    QTest::newRow("Ignore") << int(QMessageBox::Ignore) << 5;
    QTest::newRow("Yes") << int(QMessageBox::Yes) << 6;
    QTest::newRow("No") << int(QMessageBox::No) << 7;
}

void TestMsgBox::buttonCodes()
{
    QFETCH(int, button);
    QFETCH(int, code);
    QCOMPARE(MsgBoxCode(button), code);
}

QTEST_MAIN(TestMsgBox)
#include "tst_msgbox.moc"
