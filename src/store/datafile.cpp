#include "store/datafile.h"

#include "store/contacttable.h"
#include "store/filesave.h"

#include <QFile>
#include <QFileInfo>

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

DataFile::LoadResult unreadable(const QString &reason)
{
    ContactTable::clear();
    DataFile::LoadResult result;
    result.status = DataFile::LoadResult::Unreadable;
    result.error = reason;
    return result;
}

} // namespace

DataFile::DataFile(const QString &path) : m_path(path), m_lock(path) {}

DataFile::LoadResult DataFile::fillTable(ContactFile::Parsed parsed)
{
    if (!parsed.error.isEmpty())
        return unreadable(parsed.error);
    LoadResult result;
    result.total = int(parsed.lines.size());
    result.keptAside = ContactTable::fill(std::move(parsed.lines));
    return result;
}

DataFile::LoadResult DataFile::loadBytes(QByteArrayView bytes)
{
    return fillTable(ContactFile::parse(bytes));
}

DataFile::LoadResult DataFile::load()
{
    const FileBytes read = readFile(m_path);
    m_exists = read.exists;
    m_bytes = read.bytes;
    m_encoding = ContactFile::Encoding::Windows1252;
    m_unreadable = read.error;
    if (!read.error.isEmpty())
        return unreadable(read.error);
    if (!read.exists) {
        ContactTable::clear();
        LoadResult result;
        result.status = LoadResult::Missing;
        return result;
    }
    ContactFile::Parsed parsed = ContactFile::parse(read.bytes);
    m_encoding = parsed.encoding;
    m_unreadable = parsed.error;
    return fillTable(std::move(parsed));
}

QString DataFile::lockAndLoad(LoadResult *loaded)
{
    if (!lock(UnattendedLockWait))
        return QStringLiteral("impossibile usare data.txt: %1.").arg(lockError());
    const LoadResult result = load();
    if (loaded)
        *loaded = result;
    if (result.status == LoadResult::Unreadable)
        return QStringLiteral("impossibile leggere data.txt: %1.").arg(result.error);
    return {};
}

QString DataFile::SaveResult::report(const QString &during) const
{
    if (status == ChangedElsewhere)
        return QStringLiteral("data.txt è stato modificato da un altro programma durante %1: non "
                              "è stato sovrascritto.")
            .arg(during);
    if (status == Failed)
        return QStringLiteral("salvataggio di data.txt non riuscito (%1): %2")
            .arg(error, damaged ? QStringLiteral("data.txt potrebbe essere danneggiato.")
                                : QStringLiteral("data.txt non è stato modificato."));
    return {};
}

DataFile::SaveResult DataFile::save(SaveMode mode)
{
    SaveResult result;
    if (!m_unreadable.isEmpty()) {
        result.status = SaveResult::Failed;
        result.error = QStringLiteral("il file non è stato letto all'avvio (%1)").arg(m_unreadable);
        return result;
    }
    const bool held = m_lock.isLocked();
    if (!held && !m_lock.lock(LockWait)) {
        result.status = SaveResult::Failed;
        result.error = m_lock.errorString();
        return result;
    }
    result = writeLocked(mode);
    if (!held)
        m_lock.unlock();
    return result;
}

DataFile::SaveResult DataFile::writeLocked(SaveMode mode)
{
    SaveResult result;
    if (mode == SaveMode::KeepOthersChanges) {
        const FileBytes now = readFile(m_path);
        if (now.exists != m_exists || !now.error.isEmpty() || now.bytes != m_bytes) {
            result.status = SaveResult::ChangedElsewhere;
            return result;
        }
    }
    const QByteArray bytes = ContactFile::format(ContactTable::allLines(), m_encoding);
    const FileSave::Result written = FileSave::write(m_path, bytes);
    if (written.ok()) {
        m_exists = true;
        m_bytes = bytes;
        return result;
    }
    if (written.status == FileSave::Result::Damaged) {
        // What is there now is this program's doing, not another writer's:
        // the next save writes over it without asking.
        const FileBytes now = readFile(m_path);
        m_exists = now.exists;
        m_bytes = now.bytes;
    }
    result.status = SaveResult::Failed;
    result.error = written.error;
    result.damaged = written.status == FileSave::Result::Damaged;
    return result;
}
