#include "platform/runtime.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QTranslator>
#include <QWidget>

namespace Runtime {

namespace {

bool ending = false;

void endProgram()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

bool startProgram(const QString &command, int /*windowStyle*/)
{
    // A path with spaces and no quotes, as the registry holds it
    // ("C:\Program Files\...\msinfo32.exe"), names the program whole.
    if (QFileInfo(command).isFile())
        return QProcess::startDetached(command, {});
    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments);
}

QString fileTest(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.fileName() : QString();
}

} // namespace

Seam<void()> EndHandler(endProgram);

void End()
{
    ending = true;
    EndHandler();
}

bool Ending()
{
    return ending;
}

void ResetEnding()
{
    ending = false;
}

void DeleteAllWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!widget->parent())
            windows.append(widget);
    }
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
}

void ShowNotModal(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

Seam<bool(const QString &, int)> Shell(startProgram);
Seam<QString(const QString &)> Dir(fileTest);

void InstallQtTranslations(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace Runtime
