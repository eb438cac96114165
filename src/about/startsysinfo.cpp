#include "about/startsysinfo.h"

#include "about/getkeyvalue.h"
#include "platform/msgbox.h"
#include "platform/registry.h"
#include "platform/runtime.h"

#include <QString>

#include <exception>
#include <string>

namespace {

// Where the tool is registered, in the order asked: the first holds the
// complete command, the second the directory that holds the program file.
constexpr const char *CommandKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char *CommandValue = "PATH";
constexpr const char *DirectoryKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char *DirectoryValue = "MSINFO";
constexpr const char *ProgramFile = "\\MSINFO32.EXE";
constexpr int NormalWindowWithFocus = 1;

// Sets command to what starts the tool; false when it is not registered or
// its program file is missing. A command read from the first location is
// taken as it is, even empty: starting it is the test.
bool findTool(QString &command)
{
    const Registry::Key root = Registry::HKeyLocalMachine;
    std::string toolPath;
    if (GetKeyValue(root, CommandKey, CommandValue, toolPath)) {
        command = QString::fromLocal8Bit(toolPath);
        return true;
    }
    if (!GetKeyValue(root, DirectoryKey, DirectoryValue, toolPath))
        return false;
    const QString program = QString::fromLocal8Bit(toolPath + ProgramFile);
    if (Runtime::Dir(program).isEmpty())
        return false;
    command = program;
    return true;
}

} // namespace

void StartSysInfo()
{
    try {
        QString command;
        if (findTool(command) && Runtime::Shell(command, NormalWindowWithFocus))
            return;
    } catch (const std::exception &) {
        // A run-time error in the lookup ends like every other failure.
    }
    MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), MsgBoxStyle::OKOnly);
}
