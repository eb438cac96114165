#pragma once

#include <cstdint>
#include <string>

// The three registry operations of advapi32 the program uses, with the
// operating system's status codes. Standard C++ only: the same sources build
// into the Qt program and, with mingw-w64, into a plain Windows program.
//
// The names differ from the Windows SDK's on purpose: <windows.h> defines
// those as macros, and the Windows backend includes both.
class Registry
{
public:
    // A key handle as the operating system hands it out (HKEY).
    using Key = std::intptr_t;
    using Status = std::int32_t;
    using Dword = std::uint32_t;

    // Predefined root: HKEY_LOCAL_MACHINE, sign-extended as Windows does.
    static constexpr Key HKeyLocalMachine = static_cast<std::int32_t>(0x80000002u);

    // Status codes (winerror.h).
    static constexpr Status ErrorSuccess = 0;
    static constexpr Status ErrorFileNotFound = 2;
    static constexpr Status ErrorAccessDenied = 5;
    static constexpr Status ErrorInvalidHandle = 6;
    static constexpr Status ErrorMoreData = 234;

    // Access rights (winnt.h).
    static constexpr Dword KeyQueryValue = 0x0001;
    static constexpr Dword KeySetValue = 0x0002;
    static constexpr Dword KeyCreateSubKey = 0x0004;
    static constexpr Dword KeyEnumerateSubKeys = 0x0008;
    static constexpr Dword KeyNotify = 0x0010;
    static constexpr Dword KeyCreateLink = 0x0020;
    static constexpr Dword ReadControl = 0x00020000;
    // 131097: what reading a value needs.
    static constexpr Dword KeyRead = ReadControl | KeyQueryValue | KeyEnumerateSubKeys | KeyNotify;
    // 131135: KEY_READ plus the rights to change the key.
    static constexpr Dword KeyReadWrite = KeyRead | KeySetValue | KeyCreateSubKey | KeyCreateLink;

    // Value types.
    static constexpr Dword RegNone = 0;
    static constexpr Dword RegSz = 1;
    static constexpr Dword RegExpandSz = 2;
    static constexpr Dword RegBinary = 3;
    static constexpr Dword RegDword = 4;
    static constexpr Dword RegMultiSz = 7;

    virtual ~Registry() = default;

    // RegOpenKeyExA: opens subKey below root with the rights in access.
    virtual Status OpenKeyEx(Key root, const std::string &subKey, Dword options, Dword access,
                             Key *result) = 0;
    // RegQueryValueExA: copies the value's bytes into data, which holds
    // *dataSize bytes. On success *type and *dataSize tell what was copied;
    // a value larger than the buffer gives ErrorMoreData and its size.
    virtual Status QueryValueEx(Key key, const std::string &valueName, Dword *type,
                                unsigned char *data, Dword *dataSize) = 0;
    // RegCloseKey.
    virtual Status CloseKey(Key key) = 0;

    // The registry the program reads: the one installed by Install, or the
    // system's own (advapi32 on Windows, a stand-in elsewhere).
    static Registry &Current();
    // Installs a replacement (tests); nullptr restores the system's.
    static void Install(Registry *replacement);
    static Registry &System();
};
