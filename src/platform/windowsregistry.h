#pragma once

#include "platform/registry.h"

// The registry of advapi32 (Windows only).
class WindowsRegistry : public Registry
{
public:
    Status OpenKeyEx(Key root, const std::string &subKey, Dword options, Dword access,
                     Key *result) override;
    Status QueryValueEx(Key key, const std::string &valueName, Dword *type, unsigned char *data,
                        Dword *dataSize) override;
    Status CloseKey(Key key) override;
};
