#include "platform/standinregistry.h"

#include <QStandardPaths>
#include <QString>

#include <cstring>

std::string StandInRegistry::FindTool()
{
    for (const char *program : {"kinfocenter", "hardinfo2", "hardinfo"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!path.isEmpty())
            return path.toLocal8Bit().toStdString();
    }
    return {};
}

Registry::Status StandInRegistry::OpenKeyEx(Key root, const std::string &subKey, Dword /*options*/,
                                            Dword access, Key *result)
{
    *result = 0;
    if (root != HKeyLocalMachine ||
        QString::fromLocal8Bit(subKey).compare(QLatin1String(ToolKey), Qt::CaseInsensitive) != 0)
        return ErrorFileNotFound;
    const std::string tool = FindTool();
    if (tool.empty())
        return ErrorFileNotFound;
    // Nobody may change what this key says.
    if ((access & ~KeyRead) != 0)
        return ErrorAccessDenied;
    m_tool = tool;
    ++m_openCount;
    *result = ToolHandle;
    return ErrorSuccess;
}

Registry::Status StandInRegistry::QueryValueEx(Key key, const std::string &valueName, Dword *type,
                                               unsigned char *data, Dword *dataSize)
{
    if (key != ToolHandle || m_openCount == 0)
        return ErrorInvalidHandle;
    if (QString::fromLocal8Bit(valueName).compare(QLatin1String(ToolValue), Qt::CaseInsensitive) !=
        0)
        return ErrorFileNotFound;
    // A string value is stored with its terminating zero.
    const Dword size = Dword(m_tool.size() + 1);
    const Dword offered = *dataSize;
    *type = RegSz;
    *dataSize = size;
    if (data == nullptr)
        return ErrorSuccess;
    if (size > offered)
        return ErrorMoreData;
    std::memcpy(data, m_tool.c_str(), size);
    return ErrorSuccess;
}

Registry::Status StandInRegistry::CloseKey(Key key)
{
    if (key != ToolHandle || m_openCount == 0)
        return ErrorInvalidHandle;
    --m_openCount;
    return ErrorSuccess;
}
