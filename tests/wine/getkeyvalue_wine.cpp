// Runs the registry value reader against the real registry API of Windows
// (here under Wine): writes values of every kind with RegSetValueExA below
// HKEY_LOCAL_MACHINE and reads them back through GetKeyValue and the
// advapi32 backend the program uses. Prints one line a case and a closing
// "N passed, N failed"; exits non-zero when a case failed.

#include "about/getkeyvalue.h"
#include "platform/registry.h"
#include "platform/runtimeerror.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const char *const TestKey = "SOFTWARE\\Rubrio Wine Test";

int passed = 0;
int failed = 0;

std::string printable(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127) {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

void report(const std::string &name, bool ok, const std::string &detail = {})
{
    if (ok) {
        ++passed;
        std::printf("PASS %s\n", name.c_str());
    } else {
        ++failed;
        std::printf("FAIL %s: %s\n", name.c_str(), detail.c_str());
    }
    std::fflush(stdout);
}

bool setValue(HKEY key, const char *name, DWORD type, const std::string &bytes)
{
    const LONG status = RegSetValueExA(
        key, name, 0, type, reinterpret_cast<const BYTE *>(bytes.data()), DWORD(bytes.size()));
    if (status != ERROR_SUCCESS)
        report(std::string("write ") + name, false,
               "RegSetValueExA gave " + std::to_string(status));
    return status == ERROR_SUCCESS;
}

// Reads keyName\valueName with KeyVal holding before, and compares the
// result and KeyVal with what is expected.
void expectRead(const std::string &name, const std::string &keyName, const std::string &valueName,
                const std::string &before, bool result, const std::string &after)
{
    std::string keyVal = before;
    bool got = false;
    try {
        got = GetKeyValue(Registry::HKeyLocalMachine, keyName, valueName, keyVal);
    } catch (const RuntimeError &error) {
        report(name, false, std::string("raised run-time error: ") + error.what());
        return;
    }
    const bool ok = got == result && keyVal == after;
    report(name, ok,
           "expected " + std::string(result ? "true" : "false") + " \"" + printable(after) +
               "\", got " + (got ? "true" : "false") + " \"" + printable(keyVal) + "\"");
}

void expectRuntimeError(const std::string &name, const std::string &valueName)
{
    std::string keyVal = "before";
    try {
        const bool got = GetKeyValue(Registry::HKeyLocalMachine, TestKey, valueName, keyVal);
        report(name, false,
               std::string("no run-time error; returned ") + (got ? "true" : "false") + " \"" +
                   printable(keyVal) + "\"");
    } catch (const RuntimeError &error) {
        report(name, error.Number() == RuntimeError::InvalidProcedureCall,
               "run-time error " + std::to_string(error.Number()));
    }
}

} // namespace

int main()
{
    report("HKEY_LOCAL_MACHINE handle",
           reinterpret_cast<HKEY>(Registry::HKeyLocalMachine) == HKEY_LOCAL_MACHINE,
           "the interface's root differs from the SDK's");

    HKEY key = nullptr;
    const LONG created = RegCreateKeyExA(HKEY_LOCAL_MACHINE, TestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                         nullptr, &key, nullptr);
    report("create test key", created == ERROR_SUCCESS,
           "RegCreateKeyExA gave " + std::to_string(created));
    if (created != ERROR_SUCCESS) {
        std::printf("%d passed, %d failed\n", passed, failed);
        return 1;
    }

    const std::string tool = "C:\\Windows\\System32\\msinfo32.exe";
    const std::string x1023(1023, 'x');
    bool written = true;
    written &= setValue(key, "StringWithTerminator", REG_SZ, tool + '\0');
    written &= setValue(key, "StringWithoutTerminator", REG_SZ, "abc");
    written &= setValue(key, "Dword", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
    written &= setValue(key, "DwordHighByteZero", REG_DWORD, std::string("\xEF\xCD\xAB\x00", 4));
    written &=
        setValue(key, "Expandable", REG_EXPAND_SZ, std::string("%SystemRoot%\\x.exe") + '\0');
    written &= setValue(key, "Bytes1024", REG_SZ, x1023 + '\0');
    written &= setValue(key, "Bytes1025", REG_BINARY, x1023 + "yz");
    written &= setValue(key, "Bytes0", REG_BINARY, std::string());
    RegCloseKey(key);

    if (written) {
        expectRead("REG_SZ with terminator", TestKey, "StringWithTerminator", "old", true, tool);
        // Stored without a terminator the text arrives whole, whether the
        // registry adds one or not.
        expectRead("REG_SZ without terminator", TestKey, "StringWithoutTerminator", "", true,
                   "abc");
        expectRead("REG_DWORD", TestKey, "Dword", "old", true, "&h12345678");
        expectRead("REG_DWORD with high byte 0", TestKey, "DwordHighByteZero", "", true,
                   "&hABCDEF");
        expectRead("REG_EXPAND_SZ leaves KeyVal", TestKey, "Expandable", "keep", true, "keep");
        expectRead("1024 bytes", TestKey, "Bytes1024", "", true, x1023);
        expectRead("1025 bytes", TestKey, "Bytes1025", "old", false, "");
        expectRuntimeError("0 bytes", "Bytes0");
        expectRead("missing value", TestKey, "NoSuchValue", "old", false, "");
        expectRead("key and value names ignore case", "software\\RUBRIO wine test",
                   "stringwithterminator", "", true, tool);
    }
    expectRead("missing key", "SOFTWARE\\Rubrio Wine Test\\Missing", "StringWithTerminator", "old",
               false, "");

    RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestKey);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
