#pragma once

#include <QString>

// Who may read and write a file, and which file a path names: what a save
// that replaces a file must carry over, and what an export must not write
// over.
namespace FileMetadata {

// Gives the open file handle the owner, group, mode, ACL and extended
// attributes of the file at from. False, with *error set, when the system
// does not permit it (only root may give a file to another owner).
bool copy(const QString &from, int handle, QString *error);

// True when both paths name one existing file, through links, hard links or
// different spellings of the path.
bool isSameFile(const QString &a, const QString &b);

} // namespace FileMetadata
