#include "globalmodule.h"

#include "contactfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace GlobalModule {

std::array<QString, TableSize> Contacts;
qint16 ContactCount = 0;
QStringList KeptAside;

namespace {

// Set when data.txt existed but could not be read: saving over it would
// replace the user's contacts with an empty table.
QString blockedPath;
QString blockedReason;

} // namespace

bool AppendContact(const QString &line)
{
    if (ContactCount >= TableSize)
        return false;
    Contacts[ContactCount] = line;
    ++ContactCount;
    return true;
}

void ReplaceContact(int index, const QString &line)
{
    Q_ASSERT(index >= 0 && index < ContactCount);
    Contacts[index] = line;
}

void RemoveContact(int index)
{
    Q_ASSERT(index >= 0 && index < ContactCount);
    for (int k = index; k < ContactCount - 1; ++k)
        Contacts[k] = Contacts[k + 1];
    --ContactCount;
}

void ClearContacts()
{
    ContactCount = 0;
    KeptAside.clear();
}

int LastIndexOf(const QString &line)
{
    for (int i = ContactCount - 1; i >= 0; --i) {
        if (Contacts[i] == line)
            return i;
    }
    return -1;
}

QStringList AllContactLines()
{
    QStringList lines;
    lines.reserve(ContactCount + KeptAside.size());
    for (int i = 0; i < ContactCount; ++i)
        lines.append(Contacts[i]);
    lines += KeptAside;
    return lines;
}

LoadResult LoadContactBytes(QByteArrayView bytes)
{
    ClearContacts();
    LoadResult result;
    QStringList lines = ContactFile::parse(bytes);
    result.total = int(lines.size());
    for (QString &line : lines) {
        if (ContactCount < TableSize)
            Contacts[ContactCount++] = std::move(line);
        else
            KeptAside.append(std::move(line));
    }
    result.keptAside = int(KeptAside.size());
    return result;
}

LoadResult LoadContacts(const QString &path)
{
    ClearContacts();
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    if (blockedPath == absolutePath)
        blockedPath.clear();

    QFile file(path);
    if (!file.exists()) {
        LoadResult result;
        result.status = LoadResult::Missing;
        return result;
    }
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        LoadResult result;
        result.status = LoadResult::Unreadable;
        result.error = file.errorString();
        blockedPath = absolutePath;
        blockedReason = result.error;
        return result;
    }
    return LoadContactBytes(bytes);
}

SaveResult SaveContacts(const QString &path)
{
    SaveResult result;
    if (!blockedPath.isEmpty() && blockedPath == QFileInfo(path).absoluteFilePath()) {
        result.ok = false;
        result.error =
            QStringLiteral("il file non è stato letto all'avvio (%1)").arg(blockedReason);
        return result;
    }

    QSaveFile file(path);
    // Where only the directory is read-only, write data.txt in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        result.ok = false;
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = ContactFile::format(AllContactLines());
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        result.ok = false;
        result.error = file.errorString();
        file.cancelWriting();
    }
    return result;
}

} // namespace GlobalModule
