#pragma once

#include <QFile>
#include <QLockFile>
#include <QString>

#include <chrono>
#include <memory>

// One writer at a time on a data file, across every Rubrio process: the
// check that nobody changed the file and the write that follows are one
// step while the lock is held. The lock is a file beside the data file's
// target (taken over when the process that left it has died); where the
// folder cannot hold it, the data file itself is locked, which is enough
// there since nobody can replace the file in such a folder, only write it.
class DataFileLock
{
public:
    explicit DataFileLock(const QString &path);
    ~DataFileLock();
    DataFileLock(const DataFileLock &) = delete;
    DataFileLock &operator=(const DataFileLock &) = delete;

    // Waits up to timeout for the lock; false, with errorString(), when
    // another process holds it all that time or it cannot be taken.
    bool lock(std::chrono::milliseconds timeout);
    void unlock();
    bool isLocked() const { return m_locked; }
    QString errorString() const { return m_error; }

private:
    bool lockDataFile(std::chrono::milliseconds timeout);

    QString m_path;
    QString m_target; // where the path leads, when locked
    std::unique_ptr<QLockFile> m_lockFile;
    QFile m_dataFile;
    bool m_locked = false;
    QString m_error;
};
