// Start-up (load, first refill, start-up messages), saving, and every way of
// leaving the program.

#include "atel.h"
#include "contactline.h"
#include "dialogfonts.h"
#include "globalmodule.h"
#include "mainwindowmodule.h"
#include "msgbox.h"
#include "support/endrecorder.h"
#include "support/scriptedmsgbox.h"
#include "support/tempcurrentdir.h"
#include "support/windowtest.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QString line(const char *surname, const char *name, const char *number)
{
    return GlobalModule::FormatContactLine(QString::fromUtf8(surname), QString::fromUtf8(name),
                                           QString::fromUtf8(number));
}

QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &text : lines)
        bytes += text.toLatin1() + "\r\n";
    return bytes;
}

// Written with LF line ends and a damaged line, so any rewrite shows.
const QByteArray original = "Abate,          Anna,          06 1\n"
                            "Rossi,          Mario,         02 7\n"
                            "senza virgole\n";

const QString exitPrompt = QStringLiteral("Vuoi salvare le Modifiche ?");

} // namespace

class TestStartupExit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void formLoad();
    void exitQuestion_data();
    void exitQuestion();
    void noQuestionOnceEnding();
    void failedSaveAtExitKeepsRunning_data();
    void failedSaveAtExitKeepsRunning();
    void sessionEndWithoutInteraction();
    void saveCommands_data();
    void saveCommands();
    void saveFailureIsReported_data();
    void saveFailureIsReported();
    void startupMessages_data();
    void startupMessages();

private:
    aTel *shownWindow();
    void leave(const QString &how);
    // Replaces data.txt by a directory of that name: no save can write it.
    void blockDataFile();

    std::unique_ptr<TempCurrentDir> m_dir;
    std::unique_ptr<ScriptedMsgBox> m_boxes;
    std::unique_ptr<EndRecorder> m_end;
};

void TestStartupExit::initTestCase()
{
    DialogFonts::Install();
}

void TestStartupExit::init()
{
    m_dir = std::make_unique<TempCurrentDir>();
    QVERIFY(m_dir->isValid());
    m_boxes = std::make_unique<ScriptedMsgBox>();
    m_end = std::make_unique<EndRecorder>();
}

void TestStartupExit::cleanup()
{
    deleteAllWindows();
    m_end.reset();
    m_boxes.reset();
    m_dir.reset();
    GlobalModule::ClearContacts();
}

aTel *TestStartupExit::shownWindow()
{
    aTel *window = aTel::instance();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("main window not active");
    QCoreApplication::processEvents(); // the start-up messages, if any
    return window;
}

void TestStartupExit::leave(const QString &how)
{
    aTel *window = aTel::instance();
    if (how == QLatin1String("Esci"))
        QTest::mouseClick(control(window, "CmdExit"), Qt::LeftButton);
    else if (how == QLatin1String("Esci..."))
        control<QAction>(window, "Exit")->trigger();
    else if (how == QLatin1String("close box"))
        window->close();
    else if (how == QLatin1String("session end"))
        window->endWithSession(true);
    else
        QFAIL("unknown way out");
}

void TestStartupExit::blockDataFile()
{
    QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("data.txt"))));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("data.txt")));
}

void TestStartupExit::formLoad()
{
    QVERIFY(
        m_dir->write(QStringLiteral("data.txt"), original + "Alberti,        Ugo,           3\n"));
    aTel *window = aTel::instance();
    QCOMPARE(int(GlobalModule::ContactCount), 4);
    QListWidget *list = window->contactList();
    // The scroll bar's designed value selects "A".
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), line("Abate", "Anna", "06 1"));
    QCOMPARE(list->item(1)->text(), line("Alberti", "Ugo", "3"));
    QVERIFY(!window->cmdDelete()->isEnabled());
    QVERIFY(!window->cmdModify()->isEnabled());

    // A second load starts from an empty list and an empty table.
    list->addItem(QStringLiteral("Avanzo"));
    GlobalModule::AppendContact(line("Arno", "X", "1"));
    window->Form_Load();
    QCOMPARE(list->count(), 2);
    QCOMPARE(int(GlobalModule::ContactCount), 4);
    QVERIFY(!window->isVisible()); // loading comes before showing
}

void TestStartupExit::exitQuestion_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer");
    for (const char *how : {"Esci", "Esci...", "close box", "session end"}) {
        QTest::addRow("%s, No", how) << how << int(MsgBoxResult::No);
        QTest::addRow("%s, Yes", how) << how << int(MsgBoxResult::Yes);
    }
}

void TestStartupExit::exitQuestion()
{
    QFETCH(QString, how);
    QFETCH(int, answer);

    QVERIFY(m_dir->write(QStringLiteral("data.txt"), original));
    aTel *window = shownWindow();
    // Unsaved changes: one contact added, one removed.
    QVERIFY(GlobalModule::AppendContact(line("Bianchi", "Anna", "02 5")));
    GlobalModule::RemoveContact(0);

    m_boxes->addAnswer(answer);
    leave(how);

    QCOMPARE(m_boxes->calls().size(), 1);
    const MsgBoxCall &call = m_boxes->calls().first();
    QCOMPARE(call.prompt, exitPrompt);
    QCOMPARE(call.style, 292);
    QCOMPARE(call.title, QStringLiteral("Chiusura ..."));
    QCOMPARE(call.helpFile, QStringLiteral("DEMO.HLP"));
    QCOMPARE(call.context, 1000);
    QCOMPARE(m_end->count(), 1);
    QVERIFY(Runtime::Ending());

    const QByteArray after = m_dir->read(QStringLiteral("data.txt"));
    if (answer == MsgBoxResult::No)
        QCOMPARE(after, original);
    else
        QCOMPARE(after, crlf({line("Rossi", "Mario", "02 7"), line("senza virgole", "", ""),
                              line("Bianchi", "Anna", "02 5")}));
    if (how == QLatin1String("close box"))
        QVERIFY(!window->isVisible());
}

void TestStartupExit::noQuestionOnceEnding()
{
    QVERIFY(m_dir->write(QStringLiteral("data.txt"), original));
    aTel *window = shownWindow();
    Runtime::End();
    QVERIFY(window->close());
    QVERIFY(window->endWithSession(true));
    QVERIFY(m_boxes->calls().isEmpty());
    QCOMPARE(m_dir->read(QStringLiteral("data.txt")), original);
}

void TestStartupExit::failedSaveAtExitKeepsRunning_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"Esci", "Esci...", "close box", "session end"})
        QTest::newRow(how) << how;
}

void TestStartupExit::failedSaveAtExitKeepsRunning()
{
    QFETCH(QString, how);
    QVERIFY(m_dir->write(QStringLiteral("data.txt"), original));
    aTel *window = shownWindow();
    QVERIFY(GlobalModule::AppendContact(line("Bianchi", "Anna", "02 5")));
    blockDataFile();

    m_boxes->addAnswer(MsgBoxResult::Yes);
    m_boxes->addAnswer(MsgBoxResult::OK);
    leave(how);
    QCOMPARE(m_boxes->calls().size(), 2);
    const MsgBoxCall &report = m_boxes->calls().at(1);
    QVERIFY2(report.prompt.startsWith(QStringLiteral("Impossibile salvare data.txt: ")),
             qPrintable(report.prompt));
    QVERIFY(report.prompt.size() > QStringLiteral("Impossibile salvare data.txt: ").size());
    QCOMPARE(report.style, 16);
    QCOMPARE(report.title, QStringLiteral("Rubrio"));
    QVERIFY(!m_end->ended());
    QVERIFY(!Runtime::Ending());
    QVERIFY(window->isVisible());
    QCOMPARE(int(GlobalModule::ContactCount), 4); // the table stays in memory

    // Space freed (here: the obstacle removed), the user tries again.
    QVERIFY(QDir(m_dir->path()).rmdir(QStringLiteral("data.txt")));
    m_boxes->addAnswer(MsgBoxResult::Yes);
    leave(how);
    QVERIFY(m_end->ended());
    QVERIFY(
        m_dir->read(QStringLiteral("data.txt")).endsWith(crlf({line("Bianchi", "Anna", "02 5")})));
}

void TestStartupExit::sessionEndWithoutInteraction()
{
    QVERIFY(m_dir->write(QStringLiteral("data.txt"), original));
    aTel *window = shownWindow();
    QVERIFY(GlobalModule::AppendContact(line("Bianchi", "Anna", "02 5")));
    // The session manager allows no question: the default answer, No.
    QVERIFY(window->endWithSession(false));
    QVERIFY(m_boxes->calls().isEmpty());
    QCOMPARE(m_end->count(), 1);
    QCOMPARE(m_dir->read(QStringLiteral("data.txt")), original);
}

void TestStartupExit::saveCommands_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Salva Record") << "Save";
    QTest::newRow("Salva...") << "SaveData";
}

void TestStartupExit::saveCommands()
{
    QFETCH(QString, how);
    QVERIFY(m_dir->write(QStringLiteral("data.txt"), original));
    aTel *window = shownWindow();
    QVERIFY(GlobalModule::AppendContact(line("Bianchi", "Anna", "02 5")));
    if (how == QLatin1String("Save"))
        QTest::mouseClick(control(window, "Save"), Qt::LeftButton);
    else
        control<QAction>(window, "SaveData")->trigger();
    QCOMPARE(m_dir->read(QStringLiteral("data.txt")),
             crlf({line("Abate", "Anna", "06 1"), line("Rossi", "Mario", "02 7"),
                   line("senza virgole", "", ""), line("Bianchi", "Anna", "02 5")}));
    QVERIFY(m_boxes->calls().isEmpty()); // nothing shown on success
    QVERIFY(!m_end->ended());
}

void TestStartupExit::saveFailureIsReported_data()
{
    saveCommands_data();
}

void TestStartupExit::saveFailureIsReported()
{
    QFETCH(QString, how);
    QVERIFY(m_dir->write(QStringLiteral("data.txt"), original));
    aTel *window = shownWindow();
    blockDataFile();
    if (how == QLatin1String("Save"))
        QTest::mouseClick(control(window, "Save"), Qt::LeftButton);
    else
        control<QAction>(window, "SaveData")->trigger();
    QCOMPARE(m_boxes->calls().size(), 1);
    QVERIFY(m_boxes->calls().first().prompt.startsWith(
        QStringLiteral("Impossibile salvare data.txt: ")));
    QCOMPARE(m_boxes->calls().first().style, 16);
    QVERIFY(!GlobalModule::SaveContactsReporting());
    QVERIFY(window->isVisible());
}

void TestStartupExit::startupMessages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("style");
    QTest::newRow("missing") << "missing" << QString() << 0;
    QTest::newRow("readable") << "readable" << QString() << 0;
    QTest::newRow("full table") << "1001" << QString() << 0;
    QTest::newRow("unreadable") << "unreadable"
                                << "Impossibile leggere data.txt: " << 16;
    QTest::newRow("more than the table holds")
        << "1005"
        << "data.txt contiene 1005 contatti: ne vengono mostrati i primi 1001. Gli altri restano "
           "nel file."
        << 48;
}

void TestStartupExit::startupMessages()
{
    QFETCH(QString, file);
    QFETCH(QString, prompt);
    QFETCH(int, style);

    if (file == QLatin1String("readable")) {
        QVERIFY(m_dir->write(QStringLiteral("data.txt"), original));
    } else if (file == QLatin1String("unreadable")) {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("data.txt")));
    } else if (file != QLatin1String("missing")) {
        QByteArray bytes;
        for (int i = 0; i < file.toInt(); ++i)
            bytes += "Abate,          Anna,          " + QByteArray::number(i) + "\r\n";
        QVERIFY(m_dir->write(QStringLiteral("data.txt"), bytes));
    }

    bool shownFirst = false;
    m_boxes->onCall(
        [&shownFirst](const MsgBoxCall &) { shownFirst = aTel::instance()->isVisible(); });
    aTel *window = aTel::instance();
    QVERIFY(m_boxes->calls().isEmpty()); // nothing before the window is shown
    shownWindow();
    QTRY_COMPARE(m_boxes->calls().size(), prompt.isEmpty() ? 0 : 1);
    window->hide();
    window->show();
    QTest::qWait(20);
    QCOMPARE(m_boxes->calls().size(), prompt.isEmpty() ? 0 : 1); // once only
    if (prompt.isEmpty())
        return;

    const MsgBoxCall &call = m_boxes->calls().first();
    QVERIFY(shownFirst);
    QVERIFY2(call.prompt.startsWith(prompt), qPrintable(call.prompt));
    QCOMPARE(call.style, style);
    QCOMPARE(call.title, QStringLiteral("Rubrio"));
    if (file == QLatin1String("unreadable")) {
        QVERIFY(call.prompt.size() > prompt.size()); // with the reason
        // Saving never replaces the unreadable file with an empty table.
        QVERIFY(!GlobalModule::SaveContactsReporting());
        QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("data.txt"))).isDir());
        QVERIFY(m_boxes->calls().last().prompt.startsWith(
            QStringLiteral("Impossibile salvare data.txt: ")));
    }
}

QTEST_MAIN(TestStartupExit)
#include "tst_startupexit.moc"
