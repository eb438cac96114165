#include "platform/runtime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The real program start and file test, on programs made for the test.
class TestRuntime : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A script in a folder whose name has a space; it writes its arguments
    // to a marker file.
    QString makeProgram()
    {
        const QString folder = m_dir.filePath("Program Files");
        QDir().mkpath(folder);
        const QString path = folder + "/tool.sh";
        QFile script(path);
        if (!script.open(QIODevice::WriteOnly))
            return {};
        script.write(QStringLiteral("#!/bin/sh\necho \"started $*\" > '%1'\n")
                         .arg(m_dir.filePath("marker"))
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QByteArray marker()
    {
        QFile file(m_dir.filePath("marker"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }

private Q_SLOTS:
    void init() { QFile::remove(m_dir.filePath("marker")); }

    void shell_data()
    {
        QTest::addColumn<bool>("quoted");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("path with a space, unquoted") << false << "" << QByteArray("started");
        QTest::newRow("quoted path with arguments")
            << true << " -a b" << QByteArray("started -a b");
    }
    void shell()
    {
        QFETCH(bool, quoted);
        QFETCH(QString, arguments);
        QFETCH(QByteArray, expected);
        const QString program = makeProgram();
        QVERIFY(!program.isEmpty());
        const QString command = (quoted ? '"' + program + '"' : program) + arguments;
        QVERIFY(Runtime::Shell(command, 1));
        QTRY_COMPARE(marker(), expected);
    }

    void shellFails_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("empty") << "";
        QTest::newRow("missing program") << "/nonexistent/msinfo32.exe";
    }
    void shellFails()
    {
        QFETCH(QString, command);
        QVERIFY(!Runtime::Shell(command, 1));
    }

    void dir()
    {
        const QString program = makeProgram();
        QCOMPARE(Runtime::Dir(program), QString("tool.sh"));
        QCOMPARE(Runtime::Dir(m_dir.filePath("Program Files")), QString()); // a folder
        QCOMPARE(Runtime::Dir(m_dir.filePath("missing")), QString());
    }
};

QTEST_GUILESS_MAIN(TestRuntime)
#include "tst_runtime.moc"
