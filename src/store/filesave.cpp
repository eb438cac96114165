#include "store/filesave.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace FileSave {

namespace {

bool fail(QString *error, const QString &reason)
{
    *error = reason;
    return false;
}

// An unbuffered device reports each failed write with its reason; the loop
// asks again after a short write, which then gives the reason too.
bool writeAll(QFileDevice &file, QByteArrayView bytes, QString *error)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return fail(error, file.errorString());
        done += qsizetype(written);
    }
    return true;
}

bool syncToDisk(QFileDevice &file, QString *error)
{
#if defined(Q_OS_WIN)
    const bool synced = _commit(file.handle()) == 0;
#elif defined(Q_OS_LINUX)
    const bool synced = fdatasync(file.handle()) == 0;
#else
    const bool synced = fsync(file.handle()) == 0;
#endif
    return synced || fail(error, qt_error_string(errno));
}

// Makes sure the file can hold size bytes before anything in it changes.
bool reserve(QFile &file, qint64 size, QString *error)
{
    if (size <= file.size())
        return true;
#if defined(Q_OS_WIN)
    // Setting the end of file allocates the space on Windows.
    return file.resize(size) || fail(error, file.errorString());
#else
    const int result = posix_fallocate(file.handle(), 0, off_t(size));
    return result == 0 || fail(error, qt_error_string(result));
#endif
}

bool writeInPlace(const QString &path, QByteArrayView bytes, QString *error)
{
    QFile file(path);
    // Read-write does not truncate: the old content stays until the new size
    // is reserved.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    if (!reserve(file, bytes.size(), error) || !writeAll(file, bytes, error))
        return false;
    if (!file.resize(bytes.size()))
        return fail(error, file.errorString());
    return syncToDisk(file, error);
}

} // namespace

bool write(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered, so no write waits in a buffer for commit(), which in Qt 6.4
    // does not report a failed flush of that buffer (QTBUG-75077).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QFileInfo info(path);
        if (info.isFile() && info.isWritable() && !QFileInfo(info.absolutePath()).isWritable())
            return writeInPlace(path, bytes, error);
        return fail(error, file.errorString());
    }
    if (!writeAll(file, bytes, error) || !syncToDisk(file, error)) {
        file.cancelWriting();
        return false;
    }
    return file.commit() || fail(error, file.errorString());
}

} // namespace FileSave
