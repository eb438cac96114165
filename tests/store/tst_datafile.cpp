#include "store/contactfile.h"
#include "store/contacttable.h"
#include "store/datafile.h"
#include "support/filesizelimit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cerrno>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace GlobalModule;
using LoadResult = DataFile::LoadResult;
using SaveResult = DataFile::SaveResult;

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
    DataFile m_file;
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
        m_file.load(); // no file: an empty table, and saving allowed again
        QCOMPARE(ContactCount, qint16(0));
    }

    void saveWritesTheTableInOrder()
    {
        QVERIFY(ContactTable::append(FormatContactLine("Rossi", "Mario", "123")));
        QVERIFY(ContactTable::append(FormatContactLine("Bianchi", "Anna", "456")));
        QVERIFY(ContactTable::append(FormatContactLine("Verdi", "Ugo", "789")));
        ContactTable::remove(2); // its slot keeps the text but is not written
        QVERIFY(m_file.save().ok());
        QCOMPARE(readAll("data.txt"), QByteArray("Rossi,          Mario,          123\r\n"
                                                 "Bianchi,        Anna,           456\r\n"));
    }

    void emptyTableAndEmptyFile()
    {
        QVERIFY(m_file.save().ok());
        QCOMPARE(readAll("data.txt"), QByteArray());
        QVERIFY(ContactTable::append("junk"));
        const LoadResult result = m_file.load();
        QCOMPARE(result.status, LoadResult::Loaded);
        QCOMPARE(ContactCount, qint16(0));
    }

    void missingFileGivesEmptyTable()
    {
        QVERIFY(ContactTable::append("junk"));
        QCOMPARE(m_file.load().status, LoadResult::Missing);
        QCOMPARE(ContactCount, qint16(0));
        QVERIFY(m_file.save().ok());
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
        QCOMPARE(m_file.load().status, LoadResult::Loaded);
        QVERIFY(m_file.save().ok());
        QCOMPARE(readAll("data.txt"), bytes);
    }

    void lfFileIsWrittenBackWithCrLf()
    {
        writeAll("data.txt", "Rossi,Mario,123\nBianchi,Anna,456");
        QCOMPARE(m_file.load().status, LoadResult::Loaded);
        QCOMPARE(ContactCount, qint16(2));
        QVERIFY(m_file.save().ok());
        QCOMPARE(readAll("data.txt"), QByteArray("Rossi,          Mario,          123\r\n"
                                                 "Bianchi,        Anna,           456\r\n"));
    }

    void contactsBeyondTheTableAreKept()
    {
        QByteArray bytes;
        for (int i = 0; i < 1005; ++i)
            bytes +=
                FormatContactLine("N" + QString::number(i), "x", QString::number(i)).toLatin1() +
                "\r\n";
        writeAll("data.txt", bytes);
        const LoadResult result = m_file.load();
        QCOMPARE(result.total, 1005);
        QCOMPARE(result.keptAside, 4);
        QCOMPARE(ContactCount, qint16(ContactTable::Capacity));
        QCOMPARE(Contacts[1000], FormatContactLine("N1000", "x", "1000"));
        QVERIFY(m_file.save().ok());
        QCOMPARE(readAll("data.txt"), bytes);

        // Deleting from the table still keeps those beyond it, after the rest.
        ContactTable::remove(0);
        QVERIFY(m_file.save().ok());
        QCOMPARE(readAll("data.txt"), bytes.mid(bytes.indexOf('\n') + 1));
    }

    void unreadableFileIsNeverOverwritten()
    {
        // A directory named data.txt cannot be read, even by root.
        QVERIFY(QDir().mkdir("data.txt"));
        const LoadResult result = m_file.load();
        QCOMPARE(result.status, LoadResult::Unreadable);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(ContactTable::append("Rossi"));
        const SaveResult save = m_file.save();
        QVERIFY(!save.ok());
        QVERIFY(!save.error.isEmpty());
        QVERIFY(QFileInfo("data.txt").isDir());
    }

    void unreadablePermissionsBlockSaving()
    {
        if (isRoot())
            QSKIP("root reads any file; tst_datafile_unprivileged runs this as nobody");
        writeAll("data.txt", "Rossi,Mario,123\r\n");
        QVERIFY(QFile::setPermissions("data.txt", QFile::WriteOwner));
        QCOMPARE(m_file.load().status, LoadResult::Unreadable);
        QVERIFY(!m_file.save().ok());
        QVERIFY(QFile::setPermissions("data.txt", QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(readAll("data.txt"), QByteArray("Rossi,Mario,123\r\n"));
    }

    // The folder cannot take a new file: data.txt is written in place,
    // growing or shrinking to the new content.
    void readOnlyDirectoryWritableFile_data()
    {
        QTest::addColumn<bool>("grows");
        QTest::addColumn<bool>("throughALink"); // data.txt links to the file in such a folder
        QTest::newRow("grows") << true << false;
        QTest::newRow("shrinks") << false << false;
        QTest::newRow("grows, through a link") << true << true;
    }
    void readOnlyDirectoryWritableFile()
    {
        QFETCH(bool, grows);
        QFETCH(bool, throughALink);
        if (isRoot())
            QSKIP("root ignores permissions; tst_datafile_unprivileged runs this as nobody");
        const QString folder = throughALink ? m_dir.filePath("ro") : m_dir.path();
        const QString file = folder + "/data.txt";
        QVERIFY(QDir().mkpath(folder));
        writeAll(file, "old\r\nolder and longer\r\n");
        if (throughALink)
            QVERIFY(QFile::link(file, "data.txt"));
        m_file.load();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        ContactTable::remove(1);
        if (grows)
            QVERIFY(ContactTable::append(FormatContactLine("Rossi", "Mario", "1")));
        const SaveResult save = m_file.save();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(save.ok(), qPrintable(save.error));
        QCOMPARE(readAll(file), grows ? QByteArray("old\r\nRossi,          Mario,          1\r\n")
                                      : QByteArray("old\r\n"));
        if (throughALink)
            QDir(folder).removeRecursively();
    }

    // A write that fails part-way (here at a file-size limit, as on a full
    // disk or quota) is reported with its reason and leaves the previous
    // file exactly as it was, also below the size of Qt's write buffer.
    void failedWriteKeepsThePreviousFile_data()
    {
        QTest::addColumn<int>("contacts");
        QTest::addColumn<bool>("inPlace");
        for (const bool inPlace : {false, true}) {
            const char *path = inPlace ? "in place" : "atomic";
            QTest::addRow("100 B, %s", path) << 3 << inPlace;
            QTest::addRow("4 KB, %s", path) << 110 << inPlace;
            QTest::addRow("20 KB, %s", path) << 550 << inPlace;
        }
    }
    void failedWriteKeepsThePreviousFile()
    {
        QFETCH(int, contacts);
        QFETCH(bool, inPlace);
        if (inPlace && isRoot())
            QSKIP("root ignores permissions; tst_datafile_unprivileged runs this as nobody");
        const QByteArray old = "Verdi,          Ugo,            9\r\n";
        writeAll("data.txt", old);
        m_file.load();
        for (int i = 0; i < contacts; ++i)
            QVERIFY(ContactTable::append(FormatContactLine("Rossi", "Mario", QString::number(i))));
        if (inPlace)
            QVERIFY(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        SaveResult save;
        {
            const FileSizeLimit limit(rlim_t(contacts) * 37 / 2);
            QVERIFY(limit.isSet());
            save = m_file.save();
        }
        QCOMPARE(save.status, SaveResult::Failed);
        QCOMPARE(save.error, qt_error_string(EFBIG));
        QCOMPARE(readAll("data.txt"), old);
        if (!inPlace) // no temporary file left behind
            QCOMPARE(QDir().entryList(QDir::Files), QStringList{"data.txt"});
    }

    // Before overwriting, the file must still be what this program last read
    // or wrote; otherwise nothing is written until the user says so.
    void otherWritersAreNotOverwritten_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // "-" for no file
        const QByteArray rossi = "Rossi,          Mario,          1\r\n";
        QTest::newRow("line appended") << rossi << rossi + "Verdi,Ugo,2\r\n";
        QTest::newRow("same size, other content") << rossi << QByteArray(rossi).replace('1', '2');
        QTest::newRow("created after a start without it") << QByteArray("-") << rossi;
        QTest::newRow("removed") << rossi << QByteArray("-");
    }
    void otherWritersAreNotOverwritten()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const auto put = [](const QByteArray &bytes) {
            QFile::remove("data.txt");
            if (bytes != "-")
                writeAll("data.txt", bytes);
        };
        put(before);
        m_file.load();
        QVERIFY(ContactTable::append(FormatContactLine("Bianchi", "Anna", "3")));
        QVERIFY(m_file.save().ok()); // its own writes are no change
        QVERIFY(ContactTable::append(FormatContactLine("Bianchi", "Anna", "4")));
        put(after);
        QCOMPARE(m_file.save().status, SaveResult::ChangedElsewhere);
        QCOMPARE(readAll("data.txt"), after == "-" ? QByteArray("<unreadable>") : after);
        QVERIFY(m_file.save(DataFile::SaveMode::Overwrite).ok());
        QCOMPARE(readAll("data.txt"), ContactFile::format(ContactTable::allLines()));
        QVERIFY(m_file.save().ok());
    }

    // What is not a Windows-1252 text file is reported, never hangs the
    // start, and is never written over.
    void foreignFilesAreNotTouched_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("FIFO") << "fifo" << QByteArray();
        QTest::newRow("endless device") << "/dev/zero" << QByteArray();
        QTest::newRow("UTF-16 with its mark")
            << "file" << QByteArray("\xff\xfeR\0o\0,\0M\0,\0\x31\0\r\0\n\0", 16);
        QTest::newRow("UTF-16 without a mark")
            << "file" << QByteArray("R\0o\0,\0M\0,\0\x31\0\r\0\n\0", 14);
        QTest::newRow("not UTF-8 after the UTF-8 mark")
            << "file" << QByteArray("\xef\xbb\xbf\xe8,a,1\r\n");
    }
    void foreignFilesAreNotTouched()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        if (kind == "fifo")
            QCOMPARE(mkfifo("data.txt", 0600), 0);
        else if (kind == "file")
            writeAll("data.txt", bytes);
        else
            QVERIFY(QFile::link(kind, "data.txt"));
        const LoadResult load = m_file.load();
        QCOMPARE(load.status, LoadResult::Unreadable);
        QVERIFY(!load.error.isEmpty());
        QCOMPARE(ContactCount, qint16(0));
        QVERIFY(ContactTable::append(FormatContactLine("Rossi", "Mario", "1")));
        const SaveResult save = m_file.save();
        QCOMPARE(save.status, SaveResult::Failed);
        QVERIFY(save.error.contains(load.error));
        const QFileInfo info("data.txt");
        if (kind == "file")
            QCOMPARE(readAll("data.txt"), bytes);
        else if (kind == "fifo")
            QVERIFY(!info.isFile() && !info.isSymLink() && info.exists());
        else
            QCOMPARE(info.symLinkTarget(), kind);
        QFile::remove("data.txt");
    }

    void utf8WithItsMarkStaysUtf8()
    {
        const QByteArray old = "\xef\xbb\xbf\xc5\x81ukasz,Anna,1\r\nNicol\xc3\xb2,Ugo,2\r\n";
        writeAll("data.txt", old);
        QCOMPARE(m_file.load().status, LoadResult::Loaded);
        QCOMPARE(Contacts[1], FormatContactLine(QString::fromUtf8("Nicolò"), "Ugo", "2"));
        QVERIFY(ContactTable::append(FormatContactLine(QString::fromUtf8("Città"), "Eva", "3")));
        QVERIFY(m_file.save().ok());
        QCOMPARE(readAll("data.txt"),
                 "\xef\xbb\xbf\xc5\x81ukasz,Anna,1\r\nNicol\xc3\xb2,         Ugo,            2\r\n"
                 "Citt\xc3\xa0,          Eva,            3\r\n");
    }

    // One writer at a time: a save waits for the data file's lock, reports
    // when another Rubrio keeps it, and takes over one left by a process
    // that died.
    void lockedDataFile_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<bool>("saves");
        QTest::newRow("held by a running Rubrio") << "running" << false;
        QTest::newRow("left by a process that died") << "dead" << true;
        QTest::newRow("read-only folder, the file itself locked") << "file" << false;
    }
    void lockedDataFile()
    {
        QFETCH(QString, holder);
        QFETCH(bool, saves);
        if (holder == "file" && isRoot())
            QSKIP("root ignores permissions; tst_datafile_unprivileged runs this as nobody");
        writeAll("data.txt", "old\r\n");
        m_file.load();
        QVERIFY(ContactTable::append(FormatContactLine("Rossi", "Mario", "1")));
        QLockFile running(m_dir.filePath("data.txt.lock"));
        QFile locked("data.txt");
        if (holder == "running") {
            QVERIFY(running.tryLock());
        } else if (holder == "dead") {
            // No process has this number: the kernel's limit is lower.
            writeAll("data.txt.lock", "99999999\nrubrio\n\n");
        } else {
            QVERIFY(locked.open(QIODevice::ReadOnly));
            QCOMPARE(flock(locked.handle(), LOCK_EX | LOCK_NB), 0);
            QVERIFY(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        }
        QElapsedTimer waited;
        waited.start();
        const SaveResult save = m_file.save();
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(save.ok(), saves);
        if (saves) {
            QVERIFY(!QFile::exists("data.txt.lock"));
            QCOMPARE(readAll("data.txt"), QByteArray("old\r\nRossi,          Mario,          1\r\n"));
        } else {
            QVERIFY(waited.elapsed() >= 4000);
            QVERIFY2(save.error.contains("un altro processo di Rubrio"), qPrintable(save.error));
            QCOMPARE(readAll("data.txt"), QByteArray("old\r\n"));
        }
    }

    // The window's save racing a command-line import of the same data.txt,
    // two hundred times: either the import comes after the save and adds to
    // it, or the save finds the import's change and writes nothing (the
    // window then asks). Both contacts are never lost.
    void saveRacingAnImportLosesNothing()
    {
        writeAll("card.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Verdi;Ugo;;;\r\nTEL:2\r\n"
                             "END:VCARD\r\n");
        const QByteArray window = "Rossi,          Mario,          1\r\n";
        const QByteArray imported = "Verdi,          Ugo,            2\r\n";
        // The saves are spread over the whole run of an import, from its
        // start to its end, so some fall between its read and its write.
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QProcess::execute(RUBRIO_PROGRAM, {"--dry-run", "--import", "card.vcf"}), 0);
        const qint64 importTime = timer.nsecsElapsed() / 1000;
        int asked = 0;
        for (int round = 0; round < 200; ++round) {
            writeAll("data.txt", "");
            m_file.load();
            QVERIFY(ContactTable::append(FormatContactLine("Rossi", "Mario", "1")));
            QProcess import;
            import.start(RUBRIO_PROGRAM, {"--import", "card.vcf"});
            QVERIFY(import.waitForStarted());
            QThread::usleep(unsigned(importTime * round / 200));
            const SaveResult save = m_file.save();
            QVERIFY(import.waitForFinished());
            QCOMPARE(import.exitCode(), 0);
            const QByteArray now = readAll("data.txt");
            if (save.status == SaveResult::ChangedElsewhere) {
                ++asked;
                QCOMPARE(now, imported);
            } else {
                QVERIFY2(save.ok(), qPrintable(save.error));
                QCOMPARE(now, window + imported);
            }
        }
        qInfo("the save found the import's change first in %d of 200 rounds", asked);
    }

    void readOnlyDirectoryReadOnlyFile()
    {
        if (isRoot())
            QSKIP("root ignores permissions; tst_datafile_unprivileged runs this as nobody");
        writeAll("data.txt", "old\r\n");
        m_file.load();
        QVERIFY(QFile::setPermissions("data.txt", QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(ContactTable::append(FormatContactLine("Rossi", "Mario", "1")));
        const SaveResult save = m_file.save();
        QVERIFY(!save.ok());
        QVERIFY(!save.error.isEmpty());
        QCOMPARE(readAll("data.txt"), QByteArray("old\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
