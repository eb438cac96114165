#include "about/getkeyvalue.h"

#include "platform/runtimeerror.h"

namespace {

constexpr Registry::Dword BufferSize = 1024;

// Closes the key on every way out, a run-time error included.
class KeyCloser
{
public:
    KeyCloser(Registry &registry, const Registry::Key &key) : m_registry(registry), m_key(key) {}
    ~KeyCloser() { m_registry.CloseKey(m_key); }
    KeyCloser(const KeyCloser &) = delete;
    KeyCloser &operator=(const KeyCloser &) = delete;

private:
    Registry &m_registry;
    const Registry::Key &m_key;
};

std::string hexBytesMostSignificantFirst(const std::string &bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
    }
    return text;
}

} // namespace

bool GetKeyValue(const Registry::Key &KeyRoot, const std::string &KeyName,
                 const std::string &SubKeyRef, std::string &KeyVal)
{
    Registry &registry = Registry::Current();
    Registry::Key key = 0;
    const KeyCloser closer(registry, key);

    // Reading needs KEY_READ only: asking for write rights as well would fail
    // for ordinary users on keys below HKEY_LOCAL_MACHINE.
    if (registry.OpenKeyEx(KeyRoot, KeyName, 0, Registry::KeyRead, &key) !=
        Registry::ErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    std::string buffer(BufferSize, '\0');
    Registry::Dword size = BufferSize;
    Registry::Dword type = Registry::RegNone;
    if (registry.QueryValueEx(key, SubKeyRef, &type,
                              reinterpret_cast<unsigned char *>(buffer.data()),
                              &size) != Registry::ErrorSuccess ||
        size > BufferSize) {
        KeyVal.clear();
        return false;
    }

    // Only the last byte is looked at: a value stored with its terminating
    // zero loses it, one stored without keeps all its bytes.
    if (size == 0)
        throw RuntimeError(RuntimeError::InvalidProcedureCall,
                           "Invalid procedure call or argument");
    buffer.resize(buffer[size - 1] == '\0' ? size - 1 : size);

    switch (type) {
    case Registry::RegSz:
        KeyVal = buffer;
        break;
    case Registry::RegDword:
        KeyVal = hexBytesMostSignificantFirst(buffer);
        break;
    default:
        break;
    }
    return true;
}
