// Start-up (load, first refill, start-up messages), saving, and every way of
// leaving the program.

#include "look/dialogfonts.h"
#include "main_window/atel.h"
#include "main_window/mainwindowmodule.h"
#include "platform/msgbox.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/contactlines.h"
#include "support/filesizelimit.h"
#include "support/windowtestcase.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// Written with LF line ends and a damaged line, so any rewrite shows.
const QByteArray original = "Abate,          Anna,          06 1\n"
                            "Rossi,          Mario,         02 7\n"
                            "senza virgole\n";

const QString saveFailed = QStringLiteral("Impossibile salvare data.txt: ");

// A report of a failed save: our text, the reason after it, a critical icon
// (style 16) and the application's title.
void checkSaveReport(const MsgBoxCall &call)
{
    QVERIFY2(call.prompt.startsWith(saveFailed) && call.prompt.size() > saveFailed.size(),
             qPrintable(call.prompt));
    QCOMPARE(call.style, 16);
    QCOMPARE(call.title, QStringLiteral("Rubrio"));
}

} // namespace

class TestStartupExit : public WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DialogFonts::Install(); }
    void init()
    {
        WindowTestCase::init();
        QVERIFY(m_scope->dir.write(QStringLiteral("data.txt"), original));
    }

    void formLoad();
    void exitQuestion_data();
    void exitQuestion();
    void noQuestionOnceEnding();
    void sessionEndWithoutInteraction();
    void otherWriterQuestion_data();
    void otherWriterQuestion();
    void exitSignals_data();
    void exitSignals();
    void saveCommands_data();
    void saveCommands();
    void startupMessages_data();
    void startupMessages();

private:
    aTel *shownWindow();
    // Runs a command as the user does: a button by a click, a menu item by
    // choosing it, and the close box and the session's end as the desktop does.
    void command(const QString &name);
    // The same while no file can grow past a few bytes, when full is set.
    void commandOnFullDisk(const QString &name, bool full);
    // Replaces data.txt by a directory of that name: no save can write it.
    void blockDataFile();

};

aTel *TestStartupExit::shownWindow()
{
    showActive(aTel::instance());
    QCoreApplication::processEvents(); // the start-up messages, if any
    return aTel::instance();
}

void TestStartupExit::command(const QString &name)
{
    aTel *window = aTel::instance();
    if (name == QLatin1String("close box"))
        window->close();
    else if (name == QLatin1String("session end"))
        window->endWithSession(true);
    else if (auto *button = window->findChild<QPushButton *>(name))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        control<QAction>(window, name.toLatin1())->trigger();
}

void TestStartupExit::commandOnFullDisk(const QString &name, bool full)
{
    std::optional<FileSizeLimit> limit;
    if (full) {
        limit.emplace(16);
        QVERIFY(limit->isSet());
    }
    command(name);
}

void TestStartupExit::blockDataFile()
{
    QVERIFY(QFile::remove(m_scope->dir.filePath(QStringLiteral("data.txt"))));
    QVERIFY(QDir(m_scope->dir.path()).mkdir(QStringLiteral("data.txt")));
}

void TestStartupExit::formLoad()
{
    QVERIFY(m_scope->dir.write(QStringLiteral("data.txt"),
                               original + "Alberti,        Ugo,           3\n"));
    aTel *window = aTel::instance();
    QCOMPARE(int(GlobalModule::ContactCount), 4);
    QListWidget *list = window->contactList();
    // The scroll bar's designed value selects "A".
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), line("Abate", "Anna", "06 1"));
    QCOMPARE(list->item(1)->text(), line("Alberti", "Ugo", "3"));

    // A second load starts from an empty list and an empty table.
    list->addItem(QStringLiteral("Avanzo"));
    ContactTable::append(line("Arno", "X", "1"));
    window->Form_Load();
    QCOMPARE(list->count(), 2);
    QCOMPARE(int(GlobalModule::ContactCount), 4);
    QVERIFY(!window->isVisible()); // loading comes before showing
}

void TestStartupExit::exitQuestion_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("blocked");
    for (const char *how : {"CmdExit", "Exit", "close box", "session end"}) {
        QTest::addRow("%s, No", how) << how << int(MsgBoxResult::No) << false;
        QTest::addRow("%s, Yes", how) << how << int(MsgBoxResult::Yes) << false;
        QTest::addRow("%s, Yes, save fails", how) << how << int(MsgBoxResult::Yes) << true;
    }
}

void TestStartupExit::exitQuestion()
{
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(bool, blocked);

    aTel *window = shownWindow();
    // Unsaved changes: one contact added, one removed.
    QVERIFY(ContactTable::append(line("Bianchi", "Anna", "02 5")));
    ContactTable::remove(0);
    m_scope->boxes.addAnswer(answer);
    commandOnFullDisk(how, blocked);

    QCOMPARE(m_scope->boxes.calls().size(), blocked ? 2 : 1);
    const MsgBoxCall &call = m_scope->boxes.calls().first();
    QCOMPARE(call.prompt, QStringLiteral("Vuoi salvare le Modifiche ?"));
    QCOMPARE(call.style, 292);
    QCOMPARE(call.title, QStringLiteral("Chiusura ..."));
    QCOMPARE(call.helpFile, QStringLiteral("DEMO.HLP"));
    QCOMPARE(call.context, 1000);
    if (blocked) {
        // The program keeps running, the table in memory and data.txt as it
        // was: with space freed the user tries again.
        checkSaveReport(m_scope->boxes.calls().at(1));
        QVERIFY(!m_scope->end.ended());
        QVERIFY(window->isVisible());
        QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")), original);
        m_scope->boxes.addAnswer(MsgBoxResult::Yes);
        command(how);
    }
    QCOMPARE(m_scope->end.count(), 1);
    QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")),
             answer == MsgBoxResult::No
                 ? original
                 : fileOf({line("Rossi", "Mario", "02 7"), QStringLiteral("senza virgole"),
                           line("Bianchi", "Anna", "02 5")}));
    if (how == QLatin1String("close box"))
        QVERIFY(!window->isVisible());
}

void TestStartupExit::noQuestionOnceEnding()
{
    aTel *window = shownWindow();
    Runtime::End();
    QVERIFY(window->close());
    QVERIFY(window->endWithSession(true));
    QVERIFY(m_scope->boxes.calls().isEmpty());
    QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")), original);
}

void TestStartupExit::sessionEndWithoutInteraction()
{
    aTel *window = shownWindow();
    QVERIFY(ContactTable::append(line("Bianchi", "Anna", "02 5")));
    // The session manager allows no question: the default answer, No.
    QVERIFY(window->endWithSession(false));
    QVERIFY(m_scope->boxes.calls().isEmpty());
    QCOMPARE(m_scope->end.count(), 1);
    QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")), original);
}

void TestStartupExit::otherWriterQuestion_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer");
    for (const char *how : {"Save", "CmdExit"}) {
        QTest::addRow("%s, overwrite", how) << how << int(MsgBoxResult::Yes);
        QTest::addRow("%s, keep the other program's file", how) << how << int(MsgBoxResult::No);
    }
}

// data.txt changed behind the program's back: overwritten only when the user
// says so; otherwise nothing is written and the program stays open.
void TestStartupExit::otherWriterQuestion()
{
    QFETCH(QString, how);
    QFETCH(int, answer);
    aTel *window = shownWindow();
    QVERIFY(ContactTable::append(line("Bianchi", "Anna", "02 5")));
    const QByteArray theirs = original + "Verdi,Ugo,3\n";
    QVERIFY(m_scope->dir.write(QStringLiteral("data.txt"), theirs));
    if (how == QLatin1String("CmdExit"))
        m_scope->boxes.addAnswer(MsgBoxResult::Yes);
    m_scope->boxes.addAnswer(answer);
    command(how);

    const MsgBoxCall &call = m_scope->boxes.calls().last();
    QCOMPARE(call.prompt,
             QString::fromUtf8("data.txt è stato modificato da un altro programma dopo "
                               "l'apertura. Sovrascriverlo con i contatti di questa finestra?"));
    QCOMPARE(call.style, 292);
    QCOMPARE(call.title, QStringLiteral("Rubrio"));
    QCOMPARE(m_scope->boxes.calls().size(), how == QLatin1String("CmdExit") ? 2 : 1);
    const bool overwritten = answer == MsgBoxResult::Yes;
    QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")) != theirs, overwritten);
    QCOMPARE(m_scope->end.ended(), overwritten && how == QLatin1String("CmdExit"));
    if (!m_scope->end.ended())
        QVERIFY(window->isVisible());
}

void TestStartupExit::exitSignals_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("answer");
    for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) {
        QTest::addRow("%s, Yes", strsignal(signal)) << signal << int(MsgBoxResult::Yes);
        QTest::addRow("%s, No", strsignal(signal)) << signal << int(MsgBoxResult::No);
    }
}

// A signal asking the program to end asks the exit question first, as the
// close box does; a second one while it is open adds nothing.
void TestStartupExit::exitSignals()
{
    QFETCH(int, signal);
    QFETCH(int, answer);
    shownWindow();
    QVERIFY(ContactTable::append(line("Bianchi", "Anna", "02 5")));
    m_scope->boxes.addAnswer(answer);
    m_scope->boxes.onCall([signal](const MsgBoxCall &) {
        QCOMPARE(::raise(signal), 0);
        QTest::qWait(50);
    });
    QCOMPARE(::raise(signal), 0);
    QTRY_COMPARE(m_scope->end.count(), 1);
    QCOMPARE(m_scope->boxes.prompts(), QStringList{"Vuoi salvare le Modifiche ?"});
    QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")),
             answer == MsgBoxResult::No
                 ? original
                 : fileOf({line("Abate", "Anna", "06 1"), line("Rossi", "Mario", "02 7"),
                           QStringLiteral("senza virgole"), line("Bianchi", "Anna", "02 5")}));
}

void TestStartupExit::saveCommands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("blocked");
    for (const char *name : {"Save", "SaveData"}) {
        QTest::addRow("%s", name) << name << false;
        QTest::addRow("%s, cannot write", name) << name << true;
    }
}

void TestStartupExit::saveCommands()
{
    QFETCH(QString, name);
    QFETCH(bool, blocked);
    shownWindow();
    QVERIFY(ContactTable::append(line("Bianchi", "Anna", "02 5")));
    commandOnFullDisk(name, blocked);
    QVERIFY(!m_scope->end.ended());
    if (blocked) {
        QCOMPARE(m_scope->boxes.calls().size(), 1);
        checkSaveReport(m_scope->boxes.calls().first());
        QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")), original);
        return;
    }
    QVERIFY(m_scope->boxes.calls().isEmpty()); // nothing shown on success
    QCOMPARE(m_scope->dir.read(QStringLiteral("data.txt")),
             fileOf({line("Abate", "Anna", "06 1"), line("Rossi", "Mario", "02 7"),
                     QStringLiteral("senza virgole"), line("Bianchi", "Anna", "02 5")}));
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

    const QString dataFile = m_scope->dir.filePath(QStringLiteral("data.txt"));
    if (file == QLatin1String("missing")) {
        QVERIFY(QFile::remove(dataFile));
    } else if (file == QLatin1String("unreadable")) {
        blockDataFile();
    } else if (file != QLatin1String("readable")) {
        QByteArray bytes;
        for (int i = 0; i < file.toInt(); ++i)
            bytes += "Abate,          Anna,          " + QByteArray::number(i) + "\r\n";
        QVERIFY(m_scope->dir.write(QStringLiteral("data.txt"), bytes));
    }

    bool shownFirst = false;
    m_scope->boxes.onCall(
        [&shownFirst](const MsgBoxCall &) { shownFirst = aTel::instance()->isVisible(); });
    aTel *window = aTel::instance();
    QVERIFY(m_scope->boxes.calls().isEmpty()); // nothing before the window is shown
    shownWindow();
    QTRY_COMPARE(m_scope->boxes.calls().size(), prompt.isEmpty() ? 0 : 1);
    window->hide();
    window->show();
    QTest::qWait(20);
    QCOMPARE(m_scope->boxes.calls().size(), prompt.isEmpty() ? 0 : 1); // once only
    if (prompt.isEmpty())
        return;

    const MsgBoxCall &call = m_scope->boxes.calls().first();
    QVERIFY(shownFirst);
    QVERIFY2(call.prompt.startsWith(prompt), qPrintable(call.prompt));
    QCOMPARE(call.style, style);
    QCOMPARE(call.title, QStringLiteral("Rubrio"));
    if (file == QLatin1String("unreadable")) {
        QVERIFY(call.prompt.size() > prompt.size()); // with the reason
        // Saving stays refused even once the path could be written, so the
        // file that was not read is never replaced by what was loaded.
        QVERIFY(QDir(m_scope->dir.path()).rmdir(QStringLiteral("data.txt")));
        QVERIFY(!GlobalModule::SaveContacts());
        QVERIFY(!QFileInfo::exists(dataFile));
        checkSaveReport(m_scope->boxes.calls().last());
    }
}

QTEST_MAIN(TestStartupExit)
#include "tst_startupexit.moc"
