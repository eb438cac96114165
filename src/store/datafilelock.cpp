#include "store/datafilelock.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#if defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#endif

namespace {

const QString Busy = QStringLiteral("un altro processo di Rubrio lo sta scrivendo; riprova fra "
                                    "qualche secondo");

// One attempt at the data file's own lock, without waiting.
bool tryLockHandle(int handle)
{
#if defined(Q_OS_WIN)
    // A byte far beyond any real content: Windows' locks keep others from
    // reading and writing the range they cover.
    OVERLAPPED at{};
    at.Offset = 0xFFFFFFFE;
    at.OffsetHigh = 0x7FFFFFFF;
    return LockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(handle)),
                      LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
#else
    return flock(handle, LOCK_EX | LOCK_NB) == 0;
#endif
}

} // namespace

DataFileLock::DataFileLock(const QString &path) : m_path(path) {}

DataFileLock::~DataFileLock()
{
    unlock();
}

bool DataFileLock::lock(std::chrono::milliseconds timeout)
{
    if (m_locked)
        return true;
    // Every path to the file, through links too, takes the same lock.
    const QFileInfo info(m_path);
    m_target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    m_lockFile = std::make_unique<QLockFile>(m_target + QStringLiteral(".lock"));
    if (m_lockFile->tryLock(timeout)) {
        m_locked = true;
        return true;
    }
    const QLockFile::LockError error = m_lockFile->error();
    m_lockFile.reset();
    if (error == QLockFile::LockFailedError) {
        m_error = Busy;
        return false;
    }
    return lockDataFile(timeout);
}

// The folder cannot hold a lock file, so nothing can be renamed into it
// either: every writer there writes the data file in place, and a lock on
// the file itself keeps them apart.
bool DataFileLock::lockDataFile(std::chrono::milliseconds timeout)
{
    m_dataFile.setFileName(m_target);
    if (!m_dataFile.exists()) {
        // Nothing to write over, and no file can be created in such a folder.
        m_locked = true;
        return true;
    }
    if (!m_dataFile.open(QIODevice::ReadOnly)) {
        m_error = m_dataFile.errorString();
        return false;
    }
    const QDeadlineTimer deadline(timeout);
    while (!tryLockHandle(m_dataFile.handle())) {
        if (deadline.hasExpired()) {
            m_dataFile.close();
            m_error = Busy;
            return false;
        }
        QThread::msleep(20);
    }
    m_locked = true;
    return true;
}

void DataFileLock::unlock()
{
    // Closing the file releases its lock.
    m_dataFile.close();
    if (m_lockFile)
        m_lockFile->unlock();
    m_lockFile.reset();
    m_locked = false;
}
