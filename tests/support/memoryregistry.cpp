#include "support/memoryregistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

} // namespace

std::string MemoryRegistry::fullPath(Key root, const std::string &subKey) const
{
    std::string base;
    if (root == HKeyLocalMachine) {
        base = "hkey_local_machine";
    } else {
        const auto handle = m_handles.find(root);
        if (handle == m_handles.end())
            return {};
        base = handle->second.path;
    }
    return subKey.empty() ? base : base + '\\' + lower(subKey);
}

void MemoryRegistry::AddKey(Key root, const std::string &path, Dword granted)
{
    m_keys[fullPath(root, path)].granted = granted;
}

void MemoryRegistry::SetValue(Key root, const std::string &path, const std::string &name,
                              Dword type, const std::string &bytes)
{
    m_keys[fullPath(root, path)].values[lower(name)] = Value{type, bytes};
}

Registry::Status MemoryRegistry::OpenKeyEx(Key root, const std::string &subKey, Dword /*options*/,
                                           Dword access, Key *result)
{
    ++m_openCalls;
    m_lastAccess = access;
    *result = 0;
    const std::string path = fullPath(root, subKey);
    if (path.empty())
        return ErrorInvalidHandle;
    const auto key = m_keys.find(path);
    if (key == m_keys.end())
        return ErrorFileNotFound;
    if ((access & ~key->second.granted) != 0)
        return ErrorAccessDenied;
    const Key handle = m_nextHandle++;
    m_handles[handle] = Handle{path, access};
    *result = handle;
    return ErrorSuccess;
}

Registry::Status MemoryRegistry::QueryValueEx(Key key, const std::string &valueName, Dword *type,
                                              unsigned char *data, Dword *dataSize)
{
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end())
        return ErrorInvalidHandle;
    if ((handle->second.access & KeyQueryValue) == 0)
        return ErrorAccessDenied;
    const KeyData &keyData = m_keys.at(handle->second.path);
    const auto value = keyData.values.find(lower(valueName));
    if (value == keyData.values.end())
        return ErrorFileNotFound;
    const std::string &bytes = value->second.bytes;
    *type = value->second.type;
    const Dword offered = *dataSize;
    *dataSize = Dword(bytes.size());
    if (data == nullptr)
        return ErrorSuccess;
    if (bytes.size() > offered)
        return ErrorMoreData;
    std::memcpy(data, bytes.data(), bytes.size());
    return ErrorSuccess;
}

Registry::Status MemoryRegistry::CloseKey(Key key)
{
    if (key == HKeyLocalMachine)
        return ErrorSuccess;
    return m_handles.erase(key) == 1 ? ErrorSuccess : ErrorInvalidHandle;
}
