#pragma once

#include <QByteArray>
#include <QStringList>

// Writes contact lines as a vCard 3.0 file that other address books read:
// UTF-8 without a byte-order mark, CR LF line ends, lines folded at 75
// octets. Pure, like ContactFile::format; ContactExport writes the file.
namespace VCardWriter {

// One card per line, in the lines' order: N with its five parts, FN (the
// given name, then the surname) and, when there is a number, TEL without
// parameters: voice is vCard's default, and some readers (abook) drop a
// number that has a TYPE.
// Spaces around a field are column padding, not part of it.
QByteArray format(const QStringList &lines);

} // namespace VCardWriter
