#include "about/startsysinfo.h"
#include "platform/appinfo.h"
#include "platform/registry.h"
#include "platform/runtime.h"
#include "platform/standinregistry.h"
#include "support/scriptedmsgbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char *const CommandKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

} // namespace

// Every test runs with a PATH of two directories of its own, a and b.
class TestStandInRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void findsTool_data();
    void findsTool();
    void answersCommandKeyOnly();
    void isReadOnly();
    void missingWithoutTool();
    void launcherStartsTool();
    void launcherReportsMissingTool();

private:
    // Creates dir/name, executable unless asked otherwise.
    void makeProgram(const QString &relativePath, bool executable = true);
    QString full(const QString &relativePath) const { return m_dir.filePath(relativePath); }

    QTemporaryDir m_dir;
    QByteArray m_savedPath;
};

void TestStandInRegistry::init()
{
    QVERIFY(m_dir.isValid());
    QDir root(m_dir.path());
    for (const QString &sub : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        QVERIFY(QDir(root.filePath(sub)).removeRecursively());
    QVERIFY(root.mkdir(QStringLiteral("a")) && root.mkdir(QStringLiteral("b")));
    m_savedPath = qgetenv("PATH");
    qputenv("PATH", (full(QStringLiteral("a")) + u':' + full(QStringLiteral("b"))).toLocal8Bit());
}

void TestStandInRegistry::cleanup()
{
    qputenv("PATH", m_savedPath);
    Runtime::Shell.replace({});
    Runtime::Dir.replace({});
}

void TestStandInRegistry::makeProgram(const QString &relativePath, bool executable)
{
    QFile file(full(relativePath));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        permissions |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QVERIFY(file.setPermissions(permissions));
}

void TestStandInRegistry::findsTool_data()
{
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QStringList>("notExecutable");
    QTest::addColumn<QString>("expected");

    QTest::newRow("kinfocenter first") << QStringList{"a/hardinfo", "a/hardinfo2", "b/kinfocenter"}
                                       << QStringList() << "b/kinfocenter";
    QTest::newRow("hardinfo2 before hardinfo")
        << QStringList{"a/hardinfo", "b/hardinfo2"} << QStringList() << "b/hardinfo2";
    QTest::newRow("hardinfo alone") << QStringList{"b/hardinfo"} << QStringList() << "b/hardinfo";
    QTest::newRow("earlier directory for the same program")
        << QStringList{"a/hardinfo2", "b/hardinfo2"} << QStringList() << "a/hardinfo2";
    QTest::newRow("file that cannot run is passed over")
        << QStringList{"b/hardinfo"} << QStringList{"a/kinfocenter"} << "b/hardinfo";
    QTest::newRow("none") << QStringList{"a/msinfo32", "b/sysinfo"} << QStringList{"a/hardinfo"}
                          << QString();
}

void TestStandInRegistry::findsTool()
{
    QFETCH(QStringList, programs);
    QFETCH(QStringList, notExecutable);
    QFETCH(QString, expected);

    for (const QString &program : programs)
        makeProgram(program);
    for (const QString &program : notExecutable)
        makeProgram(program, false);

    const QString found = QString::fromLocal8Bit(StandInRegistry::FindTool());
    QCOMPARE(found, expected.isEmpty() ? QString() : full(expected));
}

void TestStandInRegistry::answersCommandKeyOnly()
{
    makeProgram(QStringLiteral("b/hardinfo"));
    StandInRegistry registry;
    Registry::Key key = 0;
    QCOMPARE(registry.OpenKeyEx(Registry::HKeyLocalMachine,
                                "software\\microsoft\\shared tools\\msinfo", 0, Registry::KeyRead,
                                &key),
             Registry::ErrorSuccess);

    unsigned char buffer[1024] = {};
    Registry::Dword size = sizeof buffer;
    Registry::Dword type = 0;
    QCOMPARE(registry.QueryValueEx(key, "PATH", &type, buffer, &size), Registry::ErrorSuccess);
    QCOMPARE(type, Registry::RegSz);
    const QByteArray expected = full(QStringLiteral("b/hardinfo")).toLocal8Bit();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer), int(size)),
             expected + QByteArray(1, '\0'));

    Registry::Dword tooSmall = 4;
    QCOMPARE(registry.QueryValueEx(key, "PATH", &type, buffer, &tooSmall), Registry::ErrorMoreData);
    QCOMPARE(tooSmall, Registry::Dword(expected.size() + 1));
    QCOMPARE(registry.QueryValueEx(key, "MSINFO", &type, buffer, &size),
             Registry::ErrorFileNotFound);
    QCOMPARE(registry.CloseKey(key), Registry::ErrorSuccess);
    QCOMPARE(registry.CloseKey(key), Registry::ErrorInvalidHandle);

    Registry::Key other = 0;
    QCOMPARE(registry.OpenKeyEx(Registry::HKeyLocalMachine,
                                "SOFTWARE\\Microsoft\\Shared Tools Location", 0, Registry::KeyRead,
                                &other),
             Registry::ErrorFileNotFound);
    QCOMPARE(
        registry.OpenKeyEx(Registry::Key(0x80000001), CommandKey, 0, Registry::KeyRead, &other),
        Registry::ErrorFileNotFound);
}

void TestStandInRegistry::isReadOnly()
{
    makeProgram(QStringLiteral("a/kinfocenter"));
    StandInRegistry registry;
    Registry::Key key = 0;
    QCOMPARE(
        registry.OpenKeyEx(Registry::HKeyLocalMachine, CommandKey, 0, Registry::KeyReadWrite, &key),
        Registry::ErrorAccessDenied);
    QCOMPARE(key, Registry::Key(0));
    QCOMPARE(
        registry.OpenKeyEx(Registry::HKeyLocalMachine, CommandKey, 0, Registry::KeySetValue, &key),
        Registry::ErrorAccessDenied);
}

void TestStandInRegistry::missingWithoutTool()
{
    StandInRegistry registry;
    Registry::Key key = 0;
    QCOMPARE(registry.OpenKeyEx(Registry::HKeyLocalMachine, CommandKey, 0, Registry::KeyRead, &key),
             Registry::ErrorFileNotFound);
}

void TestStandInRegistry::launcherStartsTool()
{
    makeProgram(QStringLiteral("b/hardinfo2"));
    QStringList started;
    Runtime::Shell.replace([&started](const QString &command, int style) {
        started.append(command + u' ' + QString::number(style));
        return true;
    });
    ScriptedMsgBox msgBox;

    // No registry installed: the program's own, which here is the stand-in.
    StartSysInfo();

    QCOMPARE(started, QStringList{full(QStringLiteral("b/hardinfo2")) + QStringLiteral(" 1")});
    QVERIFY(msgBox.calls().isEmpty());
}

void TestStandInRegistry::launcherReportsMissingTool()
{
    int started = 0;
    int fileTests = 0;
    Runtime::Shell.replace([&started](const QString &, int) {
        ++started;
        return true;
    });
    Runtime::Dir.replace([&fileTests](const QString &) {
        ++fileTests;
        return QStringLiteral("MSINFO32.EXE");
    });
    ScriptedMsgBox msgBox;

    StartSysInfo();

    QCOMPARE(started, 0);
    QCOMPARE(fileTests, 0);
    QCOMPARE(msgBox.prompts(),
             QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
}

QTEST_MAIN(TestStandInRegistry)
#include "tst_standinregistry.moc"
