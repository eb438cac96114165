#include "platform/windowsregistry.h"

#include <windows.h>

// The constants of the interface are the SDK's own.
static_assert(Registry::ErrorSuccess == ERROR_SUCCESS);
static_assert(Registry::ErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(Registry::ErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(Registry::ErrorInvalidHandle == ERROR_INVALID_HANDLE);
static_assert(Registry::ErrorMoreData == ERROR_MORE_DATA);
static_assert(Registry::KeyRead == KEY_READ);
static_assert(Registry::KeyReadWrite == (KEY_READ | KEY_WRITE | KEY_CREATE_LINK));
static_assert(Registry::RegSz == REG_SZ && Registry::RegExpandSz == REG_EXPAND_SZ);
static_assert(Registry::RegBinary == REG_BINARY && Registry::RegDword == REG_DWORD);
static_assert(Registry::RegMultiSz == REG_MULTI_SZ);

namespace {

HKEY toHandle(Registry::Key key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

Registry::Status WindowsRegistry::OpenKeyEx(Key root, const std::string &subKey, Dword options,
                                            Dword access, Key *result)
{
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(toHandle(root), subKey.c_str(), options, access, &opened);
    *result = reinterpret_cast<Key>(opened);
    return status;
}

Registry::Status WindowsRegistry::QueryValueEx(Key key, const std::string &valueName, Dword *type,
                                               unsigned char *data, Dword *dataSize)
{
    DWORD valueType = 0;
    DWORD size = *dataSize;
    const LONG status =
        RegQueryValueExA(toHandle(key), valueName.c_str(), nullptr, &valueType, data, &size);
    *type = valueType;
    *dataSize = size;
    return status;
}

Registry::Status WindowsRegistry::CloseKey(Key key)
{
    return RegCloseKey(toHandle(key));
}
