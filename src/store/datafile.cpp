#include "store/datafile.h"

#include "store/contactfile.h"
#include "store/contacttable.h"
#include "store/datafilelock.h"
#include "store/filesave.h"

#include <QFile>
#include <QFileInfo>

namespace DataFile {

namespace {

struct FileBytes
{
    bool exists = false;
    QByteArray bytes;
    QString error; // set when the file exists but cannot be read
};

// Never opens anything but a regular file: a FIFO would block the start and
// a device could be endless.
FileBytes readFile(const QString &path)
{
    FileBytes read;
    const QFileInfo info(path);
    read.exists = info.exists();
    if (!read.exists)
        return read;
    if (info.isDir()) {
        read.error = QStringLiteral("è una cartella, non un file");
        return read;
    }
    if (!info.isFile()) {
        read.error = QStringLiteral("non è un file di testo ma un file speciale del sistema");
        return read;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        read.bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        read.error = file.errorString();
    return read;
}

// What this run last read from or wrote to its data file.
struct Known
{
    QString path; // absolute; empty when no file is known
    bool exists = false;
    QByteArray bytes;
    ContactFile::Encoding encoding = ContactFile::Encoding::Windows1252;
    QString unreadable; // why it could not be read: saving over it is refused
};
Known known;

LoadResult fillTable(QStringList lines)
{
    using namespace GlobalModule;
    ContactTable::clear();
    LoadResult result;
    result.total = int(lines.size());
    for (QString &line : lines) {
        if (ContactCount < ContactTable::Capacity)
            Contacts[ContactCount++] = std::move(line);
        else
            ContactTable::keptAside.append(std::move(line));
    }
    result.keptAside = int(ContactTable::keptAside.size());
    return result;
}

LoadResult unreadable(const QString &reason)
{
    ContactTable::clear();
    known.unreadable = reason;
    LoadResult result;
    result.status = LoadResult::Unreadable;
    result.error = reason;
    return result;
}

LoadResult parseIntoTable(QByteArrayView bytes)
{
    ContactFile::Parsed parsed = ContactFile::parse(bytes);
    known.encoding = parsed.encoding;
    if (!parsed.error.isEmpty())
        return unreadable(parsed.error);
    return fillTable(std::move(parsed.lines));
}

} // namespace

LoadResult loadBytes(QByteArrayView bytes)
{
    known = Known{};
    return parseIntoTable(bytes);
}

LoadResult load(const QString &path)
{
    const FileBytes read = readFile(path);
    known = Known{QFileInfo(path).absoluteFilePath(), read.exists, read.bytes, {}, {}};
    if (!read.error.isEmpty())
        return unreadable(read.error);
    if (!read.exists) {
        ContactTable::clear();
        LoadResult result;
        result.status = LoadResult::Missing;
        return result;
    }
    return parseIntoTable(read.bytes);
}

SaveResult save(const QString &path, SaveMode mode, DataFileLock *held)
{
    SaveResult result;
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    const bool isKnown = absolutePath == known.path;
    if (isKnown && !known.unreadable.isEmpty()) {
        result.status = SaveResult::Failed;
        result.error =
            QStringLiteral("il file non è stato letto all'avvio (%1)").arg(known.unreadable);
        return result;
    }
    DataFileLock ownLock(path);
    if (!held && !ownLock.lock(LockWait)) {
        result.status = SaveResult::Failed;
        result.error = ownLock.errorString();
        return result;
    }
    if (isKnown && mode == SaveMode::KeepOthersChanges) {
        const FileBytes now = readFile(path);
        if (now.exists != known.exists || !now.error.isEmpty() || now.bytes != known.bytes) {
            result.status = SaveResult::ChangedElsewhere;
            return result;
        }
    }

    const ContactFile::Encoding encoding =
        isKnown ? known.encoding : ContactFile::Encoding::Windows1252;
    const QByteArray bytes = ContactFile::format(ContactTable::allLines(), encoding);
    const FileSave::Result written = FileSave::write(path, bytes);
    if (written.status == FileSave::Result::Damaged) {
        // What is there now is this program's doing, not another writer's:
        // the next save writes over it without asking.
        const FileBytes now = readFile(path);
        known = Known{absolutePath, now.exists, now.bytes, encoding, {}};
    }
    if (!written.ok()) {
        result.status = SaveResult::Failed;
        result.error = written.error;
        result.damaged = written.status == FileSave::Result::Damaged;
        return result;
    }
    known = Known{absolutePath, true, bytes, encoding, {}};
    return result;
}

} // namespace DataFile
