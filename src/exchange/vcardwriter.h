#pragma once

#include <QIODevice>
#include <QStringList>

// Writes contact lines as a vCard 3.0 file that other address books read:
// UTF-8 without a byte-order mark, CR LF line ends, lines folded at 75
// octets. ContactExport writes the file.
namespace VCardWriter {

// One card per line, in the lines' order: N with its five parts, FN (the
// given name, then the surname) and, when there is a number, TEL without
// parameters: voice is vCard's default, and some readers (abook) drop a
// number that has a TYPE. Spaces around a field are column padding, not
// part of it. False when the device did not take every byte.
bool write(const QStringList &lines, QIODevice &device);

// Backslash, comma, semicolon and line ends (of any kind) escaped, as a
// text value needs them.
QString escape(const QString &text);

// Appends one content line to out, folded at 75 octets without cutting a
// UTF-8 sequence, followed by CR LF.
void appendFolded(QByteArray &out, const QByteArray &line);

} // namespace VCardWriter
