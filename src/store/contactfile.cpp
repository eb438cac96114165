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
QStringView takeField(QStringView text, qsizetype &pos)
{
    pos = skipSpaces(text, pos);
    qsizetype comma = text.indexOf(u',', pos);
    if (comma < 0)
        comma = text.size();
    const QStringView field = text.sliced(pos, comma - pos);
    pos = qMin(comma + 1, text.size());
    return field;
}

// The fields stay views into the decoded line: the contact line is the only
// text built from them.
QString parseLine(QStringView text)
{
    qsizetype pos = 0;
    const QStringView lastName = takeField(text, pos);
    const QStringView firstName = takeField(text, pos);
    const QStringView number = text.sliced(skipSpaces(text, pos));
    return GlobalModule::FormatContactLine(lastName, firstName, number);
}

} // namespace

QStringList parse(QByteArrayView bytes)
{
    // Every byte decodes to one character, so the line ends found in the
    // decoded text are those of the bytes; the file is decoded in one go.
    const QString decoded = Windows1252::decode(bytes);
    const QStringView text(decoded);
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        else if (end > start && text[end - 1] == u'\r')
            --end;
        if (end > start)
            lines.append(parseLine(text.sliced(start, end - start)));
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
