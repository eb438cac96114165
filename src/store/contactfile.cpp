#include "contactfile.h"

#include "contactline.h"
#include "windows1252.h"

namespace ContactFile {

namespace {

qsizetype skipSpaces(QStringView text, qsizetype pos)
{
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    return pos;
}

// The field that starts at pos (after its leading spaces) and runs to the
// next comma; pos is left after that comma, or at the end of the line.
QString takeField(QStringView text, qsizetype &pos)
{
    pos = skipSpaces(text, pos);
    qsizetype comma = text.indexOf(u',', pos);
    if (comma < 0)
        comma = text.size();
    const QString field = text.sliced(pos, comma - pos).toString();
    pos = qMin(comma + 1, text.size());
    return field;
}

QString parseLine(QStringView text)
{
    qsizetype pos = 0;
    const QString lastName = takeField(text, pos);
    const QString firstName = takeField(text, pos);
    pos = skipSpaces(text, pos);
    const QString number = text.sliced(pos).toString();
    return GlobalModule::FormatContactLine(lastName, firstName, number);
}

} // namespace

QStringList parse(QByteArrayView bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r')
            --end;
        if (end > start)
            lines.append(parseLine(Windows1252::decode(bytes.sliced(start, end - start))));
        start = next;
    }
    return lines;
}

QByteArray format(const QStringList &lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const QString &line : lines) {
        bytes += Windows1252::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace ContactFile
