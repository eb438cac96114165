#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's content and says whether every byte reached the disk.
namespace FileSave {

// Writes bytes to a new file beside path, syncs it and renames it over path,
// so a failure at any step leaves the previous file as it was. Where the
// folder cannot take a new file but path itself is writable, path is written
// in place instead: its new size is reserved before any byte changes, so a
// full disk or a size limit fails before the old content is touched; only a
// crash or a device error in the middle of that write can leave it damaged.
// On failure, *error tells why.
bool write(const QString &path, QByteArrayView bytes, QString *error);

} // namespace FileSave
