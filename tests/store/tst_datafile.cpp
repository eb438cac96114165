#include "globalmodule.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace GlobalModule;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

bool isRoot()
{
    return geteuid() == 0;
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_previous;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_previous); }
    void init()
    {
        QFile(m_dir.filePath("data.txt")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::remove(m_dir.filePath("data.txt"));
        QDir(m_dir.path()).rmdir("data.txt");
        LoadContacts(); // no file: an empty table, and saving allowed again
        QCOMPARE(ContactCount, qint16(0));
    }

    void saveWritesTheTableInOrder()
    {
        QVERIFY(AppendContact(FormatContactLine("Rossi", "Mario", "123")));
        QVERIFY(AppendContact(FormatContactLine("Bianchi", "Anna", "456")));
        QVERIFY(AppendContact(FormatContactLine("Verdi", "Ugo", "789")));
        RemoveContact(2); // its slot keeps the text but is not written
        QVERIFY(SaveContacts().ok);
        QCOMPARE(readAll("data.txt"), QByteArray("Rossi,          Mario,          123\r\n"
                                                 "Bianchi,        Anna,           456\r\n"));
    }

    void emptyTableAndEmptyFile()
    {
        QVERIFY(SaveContacts().ok);
        QCOMPARE(readAll("data.txt"), QByteArray());
        QVERIFY(AppendContact("junk"));
        const LoadResult result = LoadContacts();
        QCOMPARE(result.status, LoadResult::Loaded);
        QCOMPARE(ContactCount, qint16(0));
    }

    void missingFileGivesEmptyTable()
    {
        QVERIFY(AppendContact("junk"));
        QCOMPARE(LoadContacts().status, LoadResult::Missing);
        QCOMPARE(ContactCount, qint16(0));
        QVERIFY(SaveContacts().ok);
        QVERIFY(QFile::exists("data.txt"));
    }

    void roundTripKeepsBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QByteArray("Rossi,          Mario,          123\r\n");
        QTest::newRow("all high bytes")
            << QByteArray("Z\x80\x81\x8d\x8f\x90\x9d\x9f,       \xa0\xe0\xe8\xe9\xec\xf2\xf9\xff,"
                          "       \x93x\x94\r\n");
        QTest::newRow("long fields, commas in the number")
            << QByteArray("Abcdefghijklmnopq,Giovannina Maria,06,12,34\r\n");
    }
    void roundTripKeepsBytes()
    {
        QFETCH(QByteArray, bytes);
        writeAll("data.txt", bytes);
        QCOMPARE(LoadContacts().status, LoadResult::Loaded);
        QVERIFY(SaveContacts().ok);
        QCOMPARE(readAll("data.txt"), bytes);
    }

    void lfFileIsWrittenBackWithCrLf()
    {
        writeAll("data.txt", "Rossi,Mario,123\nBianchi,Anna,456");
        QCOMPARE(LoadContacts().status, LoadResult::Loaded);
        QCOMPARE(ContactCount, qint16(2));
        QVERIFY(SaveContacts().ok);
        QCOMPARE(readAll("data.txt"), QByteArray("Rossi,          Mario,          123\r\n"
                                                 "Bianchi,        Anna,           456\r\n"));
    }

    void contactsBeyondTheTableAreKept()
    {
        QByteArray bytes;
        for (int i = 0; i < 1005; ++i)
            bytes += FormatContactLine("N" + QString::number(i), "x", QString::number(i)).toLatin1()
                     + "\r\n";
        writeAll("data.txt", bytes);
        const LoadResult result = LoadContacts();
        QCOMPARE(result.total, 1005);
        QCOMPARE(result.keptAside, 4);
        QCOMPARE(ContactCount, qint16(TableSize));
        QCOMPARE(Contacts[1000], FormatContactLine("N1000", "x", "1000"));
        QVERIFY(SaveContacts().ok);
        QCOMPARE(readAll("data.txt"), bytes);

        // Deleting from the table still keeps those beyond it, after the rest.
        RemoveContact(0);
        QVERIFY(SaveContacts().ok);
        QCOMPARE(readAll("data.txt"), bytes.mid(bytes.indexOf('\n') + 1));
    }

    void unreadableFileIsNeverOverwritten()
    {
        // A directory named data.txt cannot be read, even by root.
        QVERIFY(QDir().mkdir("data.txt"));
        const LoadResult result = LoadContacts();
        QCOMPARE(result.status, LoadResult::Unreadable);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(AppendContact("Rossi"));
        const SaveResult save = SaveContacts();
        QVERIFY(!save.ok);
        QVERIFY(!save.error.isEmpty());
        QVERIFY(QFileInfo("data.txt").isDir());
    }

    void unreadablePermissionsBlockSaving()
    {
        if (isRoot())
            QSKIP("root reads any file; tst_datafile_unprivileged runs this as nobody");
        writeAll("data.txt", "Rossi,Mario,123\r\n");
        QVERIFY(QFile::setPermissions("data.txt", QFile::WriteOwner));
        QCOMPARE(LoadContacts().status, LoadResult::Unreadable);
        QVERIFY(!SaveContacts().ok);
        QVERIFY(QFile::setPermissions("data.txt", QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(readAll("data.txt"), QByteArray("Rossi,Mario,123\r\n"));
    }

    void readOnlyDirectoryWritableFile()
    {
        if (isRoot())
            QSKIP("root ignores permissions; tst_datafile_unprivileged runs this as nobody");
        writeAll("data.txt", "old\r\n");
        QVERIFY(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(AppendContact(FormatContactLine("Rossi", "Mario", "1")));
        const SaveResult save = SaveContacts();
        QVERIFY2(save.ok, qPrintable(save.error));
        QCOMPARE(readAll("data.txt"), QByteArray("Rossi,          Mario,          1\r\n"));
    }

    void readOnlyDirectoryReadOnlyFile()
    {
        if (isRoot())
            QSKIP("root ignores permissions; tst_datafile_unprivileged runs this as nobody");
        writeAll("data.txt", "old\r\n");
        QVERIFY(QFile::setPermissions("data.txt", QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(AppendContact(FormatContactLine("Rossi", "Mario", "1")));
        const SaveResult save = SaveContacts();
        QVERIFY(!save.ok);
        QVERIFY(!save.error.isEmpty());
        QCOMPARE(readAll("data.txt"), QByteArray("old\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
