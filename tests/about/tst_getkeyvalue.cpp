#include "about/getkeyvalue.h"
#include "platform/runtimeerror.h"
#include "support/memoryregistry.h"

#include <QTest>

#include <string>

namespace {

const char *const KeyPath = "SOFTWARE\\Rubrio\\Test";
const char *const ValueName = "Value";

std::string bytesOf(const QByteArray &bytes)
{
    return bytes.toStdString();
}

} // namespace

class TestGetKeyValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { Registry::Install(&m_registry); }
    void cleanup()
    {
        Registry::Install(nullptr);
        m_registry = MemoryRegistry();
    }

    void readsValue_data();
    void readsValue();
    void keyRights_data();
    void keyRights();
    void zeroBytesRaiseRuntimeErrorAndCloseKey();

private:
    MemoryRegistry m_registry;
};

void TestGetKeyValue::readsValue_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("after");

    const int sz = int(Registry::RegSz);
    const int dword = int(Registry::RegDword);
    const QByteArray old("old text");
    const QByteArray x1023(1023, 'x');

    QTest::newRow("string with terminator") << true << sz << QByteArray("C:\\Tools\\info.exe", 18)
                                            << old << true << QByteArray("C:\\Tools\\info.exe");
    QTest::newRow("string without terminator")
        << true << sz << QByteArray("abc") << old << true << QByteArray("abc");
    QTest::newRow("only the last zero is dropped")
        << true << sz << QByteArray("ab\0\0", 4) << old << true << QByteArray("ab\0", 3);
    QTest::newRow("zero inside kept")
        << true << sz << QByteArray("a\0b", 3) << old << true << QByteArray("a\0b", 3);
    QTest::newRow("one byte terminator only")
        << true << sz << QByteArray(1, '\0') << old << true << QByteArray();
    QTest::newRow("1024 bytes with terminator")
        << true << sz << (x1023 + QByteArray(1, '\0')) << old << true << x1023;
    QTest::newRow("1024 bytes without terminator")
        << true << sz << (x1023 + "y") << old << true << (x1023 + "y");
    QTest::newRow("1025 bytes fail and empty KeyVal")
        << true << sz << (x1023 + "yz") << old << false << QByteArray();
    QTest::newRow("missing value fails and empties KeyVal")
        << false << sz << QByteArray() << old << false << QByteArray();

    // Two digits a byte, most significant first, from an empty text.
    QTest::newRow("dword") << true << dword << QByteArray("\x78\x56\x34\x12", 4) << old << true
                           << QByteArray("&h12345678");
    QTest::newRow("dword bytes below 16 keep two digits")
        << true << dword << QByteArray("\x05\x00\x0A\x01", 4) << QByteArray() << true
        << QByteArray("&h010A0005");
    QTest::newRow("dword upper-case digits") << true << dword << QByteArray("\xEF\xBE\xAD\xDE", 4)
                                             << old << true << QByteArray("&hDEADBEEF");
    // The last byte is a zero and goes like a terminator; the number stays.
    QTest::newRow("dword high byte zero") << true << dword << QByteArray("\x34\x12\x00\x00", 4)
                                          << old << true << QByteArray("&h001234");

    QTest::newRow("expandable string untouched")
        << true << int(Registry::RegExpandSz) << QByteArray("%SystemRoot%\0", 13) << old << true
        << old;
    QTest::newRow("binary untouched")
        << true << int(Registry::RegBinary) << QByteArray("\x01\x02", 2) << old << true << old;
    QTest::newRow("multi-string untouched")
        << true << int(Registry::RegMultiSz) << QByteArray("a\0b\0\0", 5) << QByteArray() << true
        << QByteArray();
}

void TestGetKeyValue::readsValue()
{
    QFETCH(bool, present);
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, before);
    QFETCH(bool, result);
    QFETCH(QByteArray, after);

    m_registry.AddKey(Registry::HKeyLocalMachine, KeyPath);
    if (present)
        m_registry.SetValue(Registry::HKeyLocalMachine, KeyPath, ValueName, Registry::Dword(type),
                            bytesOf(data));

    const Registry::Key root = Registry::HKeyLocalMachine;
    const std::string keyName = KeyPath;
    const std::string subKeyRef = ValueName;
    std::string keyVal = bytesOf(before);
    QCOMPARE(GetKeyValue(root, keyName, subKeyRef, keyVal), result);
    QCOMPARE(QByteArray::fromStdString(keyVal), after);
    QCOMPARE(keyName, std::string(KeyPath));
    QCOMPARE(subKeyRef, std::string(ValueName));
    QCOMPARE(m_registry.OpenHandles(), 0);
}

void TestGetKeyValue::keyRights_data()
{
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<uint>("granted");
    QTest::addColumn<bool>("result");

    QTest::newRow("all rights") << true << uint(MemoryRegistry::KeyAllAccess) << true;
    // An ordinary user below HKEY_LOCAL_MACHINE.
    QTest::newRow("readable, not writable") << true << uint(Registry::KeyRead) << true;
    QTest::newRow("read rights except notify")
        << true << uint(Registry::KeyRead & ~Registry::KeyNotify) << false;
    QTest::newRow("not readable") << true << 0u << false;
    QTest::newRow("missing key") << false << uint(MemoryRegistry::KeyAllAccess) << false;
}

void TestGetKeyValue::keyRights()
{
    QFETCH(bool, keyExists);
    QFETCH(uint, granted);
    QFETCH(bool, result);

    if (keyExists) {
        m_registry.SetValue(Registry::HKeyLocalMachine, KeyPath, ValueName, Registry::RegSz,
                            std::string("found", 6));
        m_registry.AddKey(Registry::HKeyLocalMachine, KeyPath, granted);
    }
    std::string keyVal = "old";
    QCOMPARE(GetKeyValue(Registry::HKeyLocalMachine, KeyPath, ValueName, keyVal), result);
    QCOMPARE(keyVal, std::string(result ? "found" : ""));
    QCOMPARE(m_registry.OpenCalls(), 1);
    QCOMPARE(m_registry.LastAccess(), Registry::Dword(131097));
    QCOMPARE(m_registry.OpenHandles(), 0);
}

void TestGetKeyValue::zeroBytesRaiseRuntimeErrorAndCloseKey()
{
    m_registry.SetValue(Registry::HKeyLocalMachine, KeyPath, ValueName, Registry::RegSz, {});
    std::string keyVal = "old";
    bool raised = false;
    try {
        GetKeyValue(Registry::HKeyLocalMachine, KeyPath, ValueName, keyVal);
    } catch (const RuntimeError &error) {
        raised = true;
        QCOMPARE(error.Number(), RuntimeError::InvalidProcedureCall);
    }
    QVERIFY(raised);
    QCOMPARE(m_registry.OpenHandles(), 0);
}

QTEST_GUILESS_MAIN(TestGetKeyValue)
#include "tst_getkeyvalue.moc"
