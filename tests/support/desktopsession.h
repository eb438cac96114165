#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <source_location>

// A desktop as a user's session sets it up for every Qt program: a platform
// theme and the configuration files it reads. The theme is chosen when the
// application starts, so a test row under a desktop runs in a process of its
// own: the test starts itself again for just that row with the desktop's
// settings, and the row's checks run in that child. The child has the X
// server the themes draw on (GTK's needs one); it uses it as its platform
// only when the row says so (QT_QPA_PLATFORM=xcb): without a window manager
// no window there takes the focus.
struct Desktop
{
    QString theme; // QT_QPA_PLATFORMTHEME
    QMap<QString, QByteArray> configFiles; // path under XDG_CONFIG_HOME -> contents
    QStringList environment;               // further NAME=value settings

    // A row with no settings of its own runs in the test's process.
    bool isThisProcess() const { return theme.isEmpty() && environment.isEmpty(); }
};
Q_DECLARE_METATYPE(Desktop)

namespace DesktopSession {

inline const char ChildVariable[] = "RUBRIO_TEST_DESKTOP_CHILD";

// True in the child started for a row: the row's checks run here.
inline bool InChild()
{
    return qEnvironmentVariableIsSet(ChildVariable);
}

// Runs the current row in a child process under desktop; fails the test
// unless the child ran the row and it passed.
inline void RunRow(const Desktop &desktop,
                   const std::source_location &where = std::source_location::current())
{
    const auto fail = [&where](const QString &message) {
        QTest::qFail(qPrintable(message), where.file_name(), int(where.line()));
    };
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return fail(QStringLiteral("needs an X server (DISPLAY): run it under xvfb-run"));
    QTemporaryDir config;
    for (auto it = desktop.configFiles.cbegin(); it != desktop.configFiles.cend(); ++it) {
        const QString path = config.filePath(it.key());
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
            return fail(QStringLiteral("cannot write ") + path);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ChildVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"), desktop.theme);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    for (const QString &setting : desktop.environment) {
        const qsizetype equals = setting.indexOf(u'=');
        environment.insert(setting.left(equals), setting.mid(equals + 1));
    }
    const QString test = QString::fromLatin1(QTest::currentTestFunction());
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {test + u':' + row});
    if (!child.waitForFinished(120000))
        return fail(QStringLiteral("the child test did not finish"));
    const QString output = QString::fromLocal8Bit(child.readAll());
    // The child must have run the row itself, not skipped it.
    const QString ran = QStringLiteral("::%1(%2)").arg(test, row);
    bool passed = false;
    for (const QString &line : output.split(u'\n'))
        passed = passed || (line.startsWith(QLatin1String("PASS   : ")) && line.endsWith(ran));
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || !passed)
        fail(QStringLiteral("under %1:\n%2").arg(desktop.theme, output));
}

} // namespace DesktopSession
