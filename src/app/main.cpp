#include "app/commandline.h"
#include "app/datafolder.h"
#include "main_window/startprogram.h"
#include "platform/runtime.h"

#include <QApplication>

#include <cstdio>

namespace {

// Without a display Qt would abort with a long message; say it in one line.
bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    // Started from the desktop's menu: the window, or the options after
    // --menu, work on the menu's phone book.
    if (DataFolder::TakeMenuOption(argc, argv)) {
        const QString error = DataFolder::EnterMenuFolder();
        if (!error.isEmpty())
            std::fprintf(stderr, "rubrio: %s\n", qPrintable(error));
    }
    // Options ask for the command line, which needs no display.
    if (CommandLine::Requested(argc, argv))
        return CommandLine::Run(argc, argv);
    if (!displayAvailable()) {
        std::fputs("rubrio: no display: DISPLAY and WAYLAND_DISPLAY are not set "
                   "(start it from a desktop session, or under xvfb-run)\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    if (const QStringList words = QCoreApplication::arguments().mid(1); !words.isEmpty())
        return CommandLine::Unexpected(words);
    StartProgram(app);
    const int status = QApplication::exec();
    // The program has ended: every window goes, whichever was created.
    Runtime::DeleteAllWindows();
    return status;
}
