#pragma once

#include <QByteArray>
#include <QStringList>

// Pure conversions between the bytes of data.txt and contact lines; the file
// I/O around them lives in GlobalModule.
namespace ContactFile {

// One text line is one contact: CR LF or LF ends a line, and a last line
// without a line end still counts. Each field starts after its leading
// spaces: the surname runs to the first comma, the given name to the next,
// and the number is the rest of the line. Missing fields are empty, so a
// damaged line never shifts the contacts after it. Empty lines hold no
// contact and are skipped.
QStringList parse(QByteArrayView bytes);

// Each line encoded as Windows-1252 and followed by CR LF.
QByteArray format(const QStringList &lines);

} // namespace ContactFile
