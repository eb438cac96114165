#pragma once

#include "store/contactfile.h"
#include "store/datafilelock.h"

#include <QByteArray>
#include <QString>

#include <chrono>

// One data file and what this program knows of it: reads it into the
// contact table and writes the table back, with every check that keeps the
// user's contacts. A file that cannot be read is never overwritten, a failed
// write leaves the previous file as it was, and a file that someone else
// changed is not overwritten without asking. The window and the command line
// each hold one.
class DataFile
{
public:
    // Opened by this bare name: in the current directory.
    static inline const QString FileName = QStringLiteral("data.txt");
    // How long a save waits for another Rubrio process to finish writing.
    static constexpr std::chrono::milliseconds LockWait{5000};
    // How long a run without a window (an import, a sync) waits: longer,
    // since nobody is waiting to be told.
    static constexpr std::chrono::seconds UnattendedLockWait{30};

    struct LoadResult
    {
        enum Status { Loaded, Missing, Unreadable };
        Status status = Loaded;
        QString error;     // the reason, when Unreadable, without a final full stop
        int keptAside = 0; // contacts beyond the table's capacity
        int total = 0;     // contacts the file held
    };

    struct SaveResult
    {
        enum Status { Saved, Failed, ChangedElsewhere };
        Status status = Saved;
        QString error;        // the reason, when Failed
        bool damaged = false; // when Failed: the file may no longer hold its old contacts
        bool ok() const { return status == Saved; }
        // What a run without a window says when the save did not happen;
        // during names the run ("l'importazione").
        QString report(const QString &during) const;
    };

    enum class SaveMode {
        // Refuses with ChangedElsewhere when the file is no longer what this
        // object last read or wrote.
        KeepOthersChanges,
        // Writes whatever the file holds now: the user said so.
        Overwrite,
    };

    explicit DataFile(const QString &path = FileName);

    // Reads the file into the table. A missing file gives an empty table. A
    // file that exists but cannot be read (no permission, not a regular
    // file, UTF-16 text) leaves the table empty and blocks every later save
    // of this object, so it is never overwritten by an empty table.
    LoadResult load();
    // The same from a file's bytes, without touching the disk.
    static LoadResult loadBytes(QByteArrayView bytes);

    // Holds the file's lock until unlock() (or the end of this object), for a
    // run that must read and write without another writer between.
    bool lock(std::chrono::milliseconds wait) { return m_lock.lock(wait); }
    void unlock() { m_lock.unlock(); }
    QString lockError() const { return m_lock.errorString(); }
    // For a run without a window: takes the lock for UnattendedLockWait,
    // held until the run ends, and reads the table under it, so no other
    // Rubrio writes between the run's read and its write. Returns why that
    // failed, or an empty text.
    QString lockAndLoad(LoadResult *loaded = nullptr);

    // Writes every line in use, then the lines kept aside, each followed by
    // CR LF, in the encoding the file was read in. The check for other
    // writers and the write are made under the file's lock: the one held,
    // or one taken here for LockWait at most.
    SaveResult save(SaveMode mode = SaveMode::KeepOthersChanges);

private:
    static LoadResult fillTable(ContactFile::Parsed parsed);
    SaveResult writeLocked(SaveMode mode);

    QString m_path;
    DataFileLock m_lock;
    // What this object last read from or wrote to the file.
    bool m_exists = false;
    QByteArray m_bytes;
    ContactFile::Encoding m_encoding = ContactFile::Encoding::Windows1252;
    QString m_unreadable; // why it could not be read: saving over it is refused
};
