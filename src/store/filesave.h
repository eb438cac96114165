#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's content and says whether every byte reached the disk,
// and, when not, whether the file is still as it was.
namespace FileSave {

struct Result
{
    enum Status {
        Written,
        Failed,  // the file is exactly as it was before
        Damaged, // the file may hold neither the old content nor the new
    };
    Status status = Written;
    QString error; // the reason, unless Written
    bool ok() const { return status == Written; }
};

// Writes bytes to a new file beside path (beside a link's target), syncs it,
// gives it the owner, group, mode, ACL and extended attributes of the file it
// replaces and renames it over that file, so a failure at any step leaves the
// previous file as it was.
//
// Where the folder cannot take a new file, or the new file cannot be given
// the old one's owner or attributes, the file is written in place instead:
// its new size is reserved first (nothing changes when that fails), and on
// any failure after that its original bytes and size are written back and
// read back. Damaged is reported only when even that restore failed.
Result write(const QString &path, QByteArrayView bytes);

} // namespace FileSave
