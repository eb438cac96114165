#pragma once

#include "platform/registry.h"

#include <string>

// What answers registry lookups where there is no registry (Linux and other
// systems): the system information tool's key, read-only, naming the first
// of the desktop's own system information programs found on PATH. Every
// other key is missing, and so is this one when none of them is installed.
class StandInRegistry : public Registry
{
public:
    static constexpr const char *ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static constexpr const char *ToolValue = "PATH";

    // The full path of the first of kinfocenter, hardinfo2 and hardinfo on
    // PATH, looked up now; empty when none is found.
    static std::string FindTool();

    Status OpenKeyEx(Key root, const std::string &subKey, Dword options, Dword access,
                     Key *result) override;
    Status QueryValueEx(Key key, const std::string &valueName, Dword *type, unsigned char *data,
                        Dword *dataSize) override;
    Status CloseKey(Key key) override;

private:
    static constexpr Key ToolHandle = 0x200;

    // The tool found when the key was last opened: the value that key holds.
    std::string m_tool;
    int m_openCount = 0;
};
