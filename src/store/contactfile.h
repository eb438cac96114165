#pragma once

#include <QByteArray>
#include <QStringList>

// Pure conversions between the bytes of data.txt and contact lines; the file
// I/O around them lives in DataFile.
namespace ContactFile {

// data.txt is Windows-1252. A file that starts with the UTF-8 byte-order mark
// is read as UTF-8 and written back as UTF-8 with its mark, so none of its
// characters changes.
enum class Encoding { Windows1252, Utf8 };

struct Parsed
{
    Encoding encoding = Encoding::Windows1252;
    QStringList lines;
    QString error; // why the bytes cannot be read as contacts; lines is empty then
};

// One text line is one contact: CR LF, LF and CR alone each end a line, and
// a last line without a line end still counts. Empty lines hold no contact.
// A line the entry dialog could have written (three fields, a surname that
// starts with A to Z, names of at most 15 characters, no control characters)
// becomes its contact line: each field starts after its leading spaces, the
// surname runs to the first comma, the given name to the next, the number is
// the rest of the line. Any other line is kept exactly as it is, so it is
// written back byte for byte. UTF-16 text and UTF-8 that is not valid after
// its mark give an error instead.
Parsed parse(QByteArrayView bytes);

// Each line followed by CR LF, in encoding.
QByteArray format(const QStringList &lines, Encoding encoding = Encoding::Windows1252);

} // namespace ContactFile
