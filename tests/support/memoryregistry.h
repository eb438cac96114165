#pragma once

#include "platform/registry.h"

#include <map>
#include <string>

// A registry held in memory, for tests: keys with the rights the user holds
// on them, values as typed raw bytes, and the status codes Windows gives.
// Key and value names compare without regard to case, as on Windows.
class MemoryRegistry : public Registry
{
public:
    // Creates the key below root when missing and sets the rights the user
    // holds on it.
    void AddKey(Key root, const std::string &path, Dword granted = KeyAllAccess);
    // Stores a value, creating its key with all rights when missing.
    void SetValue(Key root, const std::string &path, const std::string &name, Dword type,
                  const std::string &bytes);

    // Handles opened and not closed yet.
    int OpenHandles() const { return int(m_handles.size()); }
    // The access mask of the last open asked for, whatever its outcome.
    Dword LastAccess() const { return m_lastAccess; }
    int OpenCalls() const { return m_openCalls; }

    Status OpenKeyEx(Key root, const std::string &subKey, Dword options, Dword access,
                     Key *result) override;
    Status QueryValueEx(Key key, const std::string &valueName, Dword *type, unsigned char *data,
                        Dword *dataSize) override;
    Status CloseKey(Key key) override;

    static constexpr Dword KeyAllAccess = 0xF003F;

private:
    struct Value
    {
        Dword type;
        std::string bytes;
    };
    struct KeyData
    {
        Dword granted = KeyAllAccess;
        std::map<std::string, Value> values; // by lower-case name
    };
    struct Handle
    {
        std::string path;
        Dword access;
    };

    // The lower-case full path of subKey below root, or empty when root is
    // neither a predefined key nor an open handle.
    std::string fullPath(Key root, const std::string &subKey) const;

    std::map<std::string, KeyData> m_keys; // by lower-case full path
    std::map<Key, Handle> m_handles;
    Key m_nextHandle = 0x100;
    Dword m_lastAccess = 0;
    int m_openCalls = 0;
};
