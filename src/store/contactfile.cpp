#include "contactfile.h"

#include "contactline.h"
#include "windows1252.h"

#include <cstring>

namespace ContactFile {

namespace {

qsizetype skipSpaces(QByteArrayView line, qsizetype pos)
{
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    return pos;
}

// The position of c in bytes from pos on, or the end of bytes.
qsizetype find(QByteArrayView bytes, qsizetype pos, char c)
{
    const void *found = std::memchr(bytes.data() + pos, c, std::size_t(bytes.size() - pos));
    return found ? static_cast<const char *>(found) - bytes.data() : bytes.size();
}

// The field that starts at pos (after its leading spaces) and runs to the
// next comma; pos is left after that comma, or at the end of the line.
QByteArrayView takeField(QByteArrayView line, qsizetype &pos)
{
    pos = skipSpaces(line, pos);
    const qsizetype comma = find(line, pos, ',');
    const QByteArrayView field = line.sliced(pos, comma - pos);
    pos = qMin(comma + 1, line.size());
    return field;
}

// Space and comma are single bytes in Windows-1252, so the fields are found
// on the bytes. They are decoded one after another into decoded, a buffer
// reused from line to line, so the contact line built from them is the only
// text allocated per line.
QString parseLine(QByteArrayView line, QString &decoded)
{
    qsizetype pos = 0;
    const QByteArrayView lastName = takeField(line, pos);
    const QByteArrayView firstName = takeField(line, pos);
    const QByteArrayView number = line.sliced(skipSpaces(line, pos));
    decoded.resize(lastName.size() + firstName.size() + number.size());
    QChar *const begin = decoded.data();
    QChar *const afterLastName = Windows1252::decodeTo(lastName, begin);
    QChar *const afterFirstName = Windows1252::decodeTo(firstName, afterLastName);
    Windows1252::decodeTo(number, afterFirstName);
    const QStringView text(decoded);
    return GlobalModule::FormatContactLine(text.first(lastName.size()),
                                           text.sliced(lastName.size(), firstName.size()),
                                           text.last(number.size()));
}

} // namespace

QStringList parse(QByteArrayView bytes)
{
    QStringList lines;
    QString decoded;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = find(bytes, start, '\n');
        const qsizetype next = qMin(end + 1, bytes.size());
        if (end < bytes.size() && end > start && bytes[end - 1] == '\r')
            --end;
        if (end > start)
            lines.append(parseLine(bytes.sliced(start, end - start), decoded));
        start = next;
    }
    return lines;
}

// Written in place into one allocation: a save goes through here.
QByteArray format(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QByteArray bytes(size, Qt::Uninitialized);
    char *out = bytes.data();
    for (const QString &line : lines) {
        out = Windows1252::encodeTo(line, out);
        *out++ = '\r';
        *out++ = '\n';
    }
    return bytes;
}

} // namespace ContactFile
