#include "about/startsysinfo.h"
#include "platform/appinfo.h"
#include "platform/runtime.h"
#include "support/memoryregistry.h"
#include "support/scriptedmsgbox.h"

#include <QApplication>
#include <QTest>

namespace {

const char *const CommandKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char *const DirectoryKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const int Absent = -1;

struct Location
{
    int type;
    QByteArray data;
    uint granted = MemoryRegistry::KeyAllAccess;
};

} // namespace

Q_DECLARE_METATYPE(Location)

class TestStartSysInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void launches_data();
    void launches();

private:
    MemoryRegistry m_registry;
    QStringList m_shellCalls;
    QList<int> m_shellStyles;
    QStringList m_dirCalls;
    QString m_existingFile;
    bool m_shellWorks = true;
};

void TestStartSysInfo::init()
{
    m_registry = MemoryRegistry();
    Registry::Install(&m_registry);
    m_shellCalls.clear();
    m_shellStyles.clear();
    m_dirCalls.clear();
    Runtime::Shell.replace([this](const QString &command, int style) {
        m_shellCalls.append(command);
        m_shellStyles.append(style);
        return m_shellWorks && !command.isEmpty();
    });
    Runtime::Dir.replace([this](const QString &path) {
        m_dirCalls.append(path);
        return path == m_existingFile ? QStringLiteral("MSINFO32.EXE") : QString();
    });
}

void TestStartSysInfo::cleanup()
{
    Registry::Install(nullptr);
    Runtime::Shell.replace({});
    Runtime::Dir.replace({});
}

void TestStartSysInfo::launches_data()
{
    QTest::addColumn<Location>("command");
    QTest::addColumn<Location>("directory");
    QTest::addColumn<QString>("existingFile");
    QTest::addColumn<bool>("shellWorks");
    QTest::addColumn<int>("opens");
    QTest::addColumn<QStringList>("dirCalls");
    QTest::addColumn<QStringList>("shellCalls");
    QTest::addColumn<bool>("message");

    const int sz = int(Registry::RegSz);
    const QByteArray tool("C:\\Program Files\\MSINFO\\msinfo32.exe", 36);
    const QString toolText = QStringLiteral("C:\\Program Files\\MSINFO\\msinfo32.exe");
    const Location directory{sz, QByteArray("C:\\Sys\0", 7)};
    const QString inDirectory = QStringLiteral("C:\\Sys\\MSINFO32.EXE");
    const Location none{Absent, {}};
    const QStringList no;

    QTest::newRow("command as string") << Location{sz, tool} << directory << inDirectory << true
                                       << 1 << no << QStringList{toolText} << false;
    QTest::newRow("command key readable, not writable")
        << Location{sz, tool, uint(Registry::KeyRead)} << none << QString() << true << 1 << no
        << QStringList{toolText} << false;
    QTest::newRow("command without terminator")
        << Location{sz, QByteArray("C:\\a.exe")} << none << QString() << true << 1 << no
        << QStringList{QStringLiteral("C:\\a.exe")} << false;
    QTest::newRow("command cannot be started")
        << Location{sz, QByteArray("C:\\nothing.exe", 15)} << directory << inDirectory << false << 1
        << no << QStringList{QStringLiteral("C:\\nothing.exe")} << true;
    QTest::newRow("command of another type")
        << Location{int(Registry::RegExpandSz), tool} << directory << inDirectory << true << 1 << no
        << QStringList{QString()} << true;
    QTest::newRow("command of 0 bytes")
        << Location{sz, {}} << directory << inDirectory << true << 1 << no << no << true;
    QTest::newRow("directory with the program")
        << none << directory << inDirectory << true << 2 << QStringList{inDirectory}
        << QStringList{inDirectory} << false;
    QTest::newRow("directory without the program")
        << none << directory << QString() << true << 2 << QStringList{inDirectory} << no << true;
    QTest::newRow("command key not readable, directory with the program")
        << Location{sz, tool, 0u} << directory << inDirectory << true << 2
        << QStringList{inDirectory} << QStringList{inDirectory} << false;
    QTest::newRow("command over 1024 bytes, directory with the program")
        << Location{sz, QByteArray(1025, 'x')} << directory << inDirectory << true << 2
        << QStringList{inDirectory} << QStringList{inDirectory} << false;
    QTest::newRow("directory of 0 bytes")
        << none << Location{sz, {}} << inDirectory << true << 2 << no << no << true;
    QTest::newRow("directory of another type")
        << none << Location{int(Registry::RegBinary), QByteArray("C:\\Sys")} << inDirectory << true
        << 2 << QStringList{QStringLiteral("\\MSINFO32.EXE")} << no << true;
    QTest::newRow("both absent") << none << none << inDirectory << true << 2 << no << no << true;
}

void TestStartSysInfo::launches()
{
    QFETCH(Location, command);
    QFETCH(Location, directory);
    QFETCH(QString, existingFile);
    QFETCH(bool, shellWorks);
    QFETCH(int, opens);
    QFETCH(QStringList, dirCalls);
    QFETCH(QStringList, shellCalls);
    QFETCH(bool, message);

    if (command.type != Absent) {
        m_registry.SetValue(Registry::HKeyLocalMachine, CommandKey, "PATH",
                            Registry::Dword(command.type), command.data.toStdString());
        m_registry.AddKey(Registry::HKeyLocalMachine, CommandKey, command.granted);
    }
    if (directory.type != Absent) {
        m_registry.SetValue(Registry::HKeyLocalMachine, DirectoryKey, "MSINFO",
                            Registry::Dword(directory.type), directory.data.toStdString());
        m_registry.AddKey(Registry::HKeyLocalMachine, DirectoryKey, directory.granted);
    }
    m_existingFile = existingFile;
    m_shellWorks = shellWorks;
    ScriptedMsgBox msgBox;

    StartSysInfo();

    QCOMPARE(m_registry.OpenCalls(), opens);
    QCOMPARE(m_registry.OpenHandles(), 0);
    QCOMPARE(m_dirCalls, dirCalls);
    QCOMPARE(m_shellCalls, shellCalls);
    for (int style : std::as_const(m_shellStyles))
        QCOMPARE(style, 1);
    if (!message) {
        QVERIFY(msgBox.calls().isEmpty());
        return;
    }
    QCOMPARE(msgBox.calls().size(), 1);
    const MsgBoxCall &call = msgBox.calls().first();
    QCOMPARE(call.prompt, QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(call.style, 0);
    QCOMPARE(call.title, App::Title());
}

QTEST_MAIN(TestStartSysInfo)
#include "tst_startsysinfo.moc"
