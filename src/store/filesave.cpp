#include "store/filesave.h"

#include "store/filemetadata.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <fcntl.h>
#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace FileSave {

namespace {

Result failed(const QString &reason, Result::Status status = Result::Failed)
{
    return {status, reason};
}

// An unbuffered device reports each failed write with its reason; the loop
// asks again after a short write, which then gives the reason too.
bool writeAll(QFileDevice &file, QByteArrayView bytes, QString *error)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            *error = file.errorString();
            return false;
        }
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
    if (!synced)
        *error = qt_error_string(errno);
    return synced;
}

// Makes sure the file can grow to size bytes without changing it: blocks
// reserved beyond its end keep its size and content. Where the file system
// cannot reserve (posix_fallocate would then write zeros into the file), the
// free space is checked instead.
bool reserve(QFile &file, qint64 size, QString *error)
{
    const qint64 extra = size - file.size();
    if (extra <= 0)
        return true;
#if defined(Q_OS_LINUX)
    if (fallocate(file.handle(), FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0)
        return true;
    if (errno != EOPNOTSUPP) {
        *error = qt_error_string(errno);
        return false;
    }
#endif
    const QStorageInfo storage(file.fileName());
    if (!storage.isValid() || storage.bytesAvailable() >= extra + storage.blockSize())
        return true;
    *error = qt_error_string(ENOSPC);
    return false;
}

// Cuts off what is left of a longer old content.
bool cut(QFile &file, qint64 size, QString *error)
{
    if (file.size() <= size || file.resize(size))
        return true;
    *error = file.errorString();
    return false;
}

// Puts the original bytes and size back and reads them back to be sure.
bool restore(QFile &file, const QByteArray &original)
{
    QString ignored;
    if (!file.seek(0) || !writeAll(file, original, &ignored) || !file.resize(original.size()) ||
        !syncToDisk(file, &ignored) || !file.seek(0))
        return false;
    return file.readAll() == original && file.error() == QFileDevice::NoError;
}

Result writeInPlace(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    // Read-write does not truncate: the old content stays until the new size
    // is reserved.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failed(file.errorString());
    const QByteArray original = file.readAll();
    QString error;
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    if (!file.seek(0) || !reserve(file, bytes.size(), &error))
        return failed(error.isEmpty() ? file.errorString() : error);
    if (writeAll(file, bytes, &error) && cut(file, bytes.size(), &error) &&
        syncToDisk(file, &error))
        return {};
    return failed(error, restore(file, original) ? Result::Failed : Result::Damaged);
}

// Where a save must write when path is a link: its target.
QString resolved(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

bool writableInPlace(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isWritable();
}

} // namespace

Result write(const QString &path, QByteArrayView bytes)
{
    const QString target = resolved(path);
    QSaveFile file(target);
    // Unbuffered, so no write waits in a buffer for commit(), which in Qt 6.4
    // does not report a failed flush of that buffer (QTBUG-75077).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (writableInPlace(target))
            return writeInPlace(target, bytes);
        return failed(file.errorString());
    }
    QString error;
    if (!FileMetadata::copy(target, file.handle(), &error)) {
        // Only in place does the file keep who may read and write it.
        file.cancelWriting();
        if (writableInPlace(target))
            return writeInPlace(target, bytes);
        return failed(error);
    }
    if (!writeAll(file, bytes, &error) || !syncToDisk(file, &error)) {
        file.cancelWriting();
        return failed(error);
    }
    return file.commit() ? Result{} : failed(file.errorString());
}

} // namespace FileSave
