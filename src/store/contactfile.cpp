#include "contactfile.h"

#include "contactline.h"
#include "windows1252.h"

namespace ContactFile {

namespace {

qsizetype skipSpaces(QByteArrayView line, qsizetype pos)
{
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    return pos;
}

struct Span
{
    qsizetype begin;
    qsizetype end;
};

// The field that starts at pos (after its leading spaces) and runs to the
// next comma; pos is left after that comma, or at the end of the line.
Span takeField(QByteArrayView line, qsizetype &pos)
{
    pos = skipSpaces(line, pos);
    qsizetype comma = line.indexOf(',', pos);
    if (comma < 0)
        comma = line.size();
    const Span field{pos, comma};
    pos = qMin(comma + 1, line.size());
    return field;
}

QStringView slice(QStringView text, Span span)
{
    return text.sliced(span.begin, span.end - span.begin);
}

// Space and comma are single bytes and every byte is one character, so the
// fields are found on the bytes and taken from the decoded text at the same
// places; the contact line is the only text built from them.
QString parseLine(QByteArrayView line, QStringView text)
{
    qsizetype pos = 0;
    const Span lastName = takeField(line, pos);
    const Span firstName = takeField(line, pos);
    const Span number{skipSpaces(line, pos), line.size()};
    return GlobalModule::FormatContactLine(slice(text, lastName), slice(text, firstName),
                                           slice(text, number));
}

} // namespace

QStringList parse(QByteArrayView bytes)
{
    QStringList lines;
    // Each line is decoded into the same buffer; the contact line built from
    // it is the only text allocated per line.
    QString decoded;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r')
            --end;
        if (end > start) {
            const QByteArrayView line = bytes.sliced(start, end - start);
            Windows1252::decodeInto(line, decoded);
            lines.append(parseLine(line, decoded));
        }
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
