#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

class DataFileLock;

// Reading data.txt into the contact table and writing the table back, with
// every check that keeps the user's contacts: a file that cannot be read is
// never overwritten, a failed write leaves the previous file as it was, and
// a file that someone else changed is not overwritten without asking.
namespace DataFile {

// Opened by this bare name: in the current directory.
inline const QString FileName = QStringLiteral("data.txt");

struct LoadResult
{
    enum Status { Loaded, Missing, Unreadable };
    Status status = Loaded;
    QString error;     // the reason, when Unreadable, without a final full stop
    int keptAside = 0; // contacts beyond the table's capacity
    int total = 0;     // contacts the file held
};

// Reads data.txt (or path) into the table. A missing file gives an empty
// table. A file that exists but cannot be read (no permission, not a
// regular file, UTF-16 text) leaves the table empty and blocks every later
// save to it in this run, so it is never overwritten by an empty table.
LoadResult load(const QString &path = DataFile::FileName);
// The same from a file's bytes, without touching the disk.
LoadResult loadBytes(QByteArrayView bytes);

struct SaveResult
{
    enum Status { Saved, Failed, ChangedElsewhere };
    Status status = Saved;
    QString error;        // the reason, when Failed
    bool damaged = false; // when Failed: data.txt may no longer hold its old contacts
    bool ok() const { return status == Saved; }
};

// How long a save waits for another Rubrio process to finish writing.
constexpr std::chrono::milliseconds LockWait{5000};

enum class SaveMode {
    // Refuses with ChangedElsewhere when the file is no longer what this
    // program last read or wrote.
    KeepOthersChanges,
    // Writes whatever the file holds now: the user said so.
    Overwrite,
};

// Writes every line in use, then the lines kept aside, each followed by
// CR LF, in the encoding the file was read in. The check for other writers
// and the write are made under the data file's lock: the caller's, when it
// holds one from its load on, or one taken here for LockWait at most.
SaveResult save(const QString &path = DataFile::FileName,
                SaveMode mode = SaveMode::KeepOthersChanges, DataFileLock *held = nullptr);

} // namespace DataFile
