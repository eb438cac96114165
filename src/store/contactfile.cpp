#include "store/contactfile.h"

#include "store/contactline.h"
#include "store/fieldcheck.h"
#include "store/windows1252.h"

#include <QStringDecoder>

namespace ContactFile {

namespace {

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

bool hasUtf16Mark(QByteArrayView bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// UTF-16 text: a byte-order mark, or NUL bytes in most of the even or most
// of the odd positions, where UTF-16 puts the zero high bytes of Latin
// letters. A file this program writes never looks so: its lines end in the
// bytes CR LF, which UTF-16 writes as four bytes with NULs between.
bool isUtf16(QByteArrayView bytes)
{
    if (hasUtf16Mark(bytes))
        return true;
    if (bytes.size() < 2 || bytes.contains("\r\n"))
        return false;
    qsizetype nuls[2] = {0, 0};
    for (qsizetype i = 0; i < bytes.size(); ++i)
        nuls[i % 2] += bytes[i] == '\0';
    const qsizetype odd = bytes.size() / 2;
    const qsizetype even = bytes.size() - odd;
    return nuls[0] * 2 > even || nuls[1] * 2 > odd;
}

// True when bytes would be read back as starting with a byte-order mark.
bool startsLikeAMark(QByteArrayView bytes)
{
    return bytes.startsWith(Utf8Mark) || hasUtf16Mark(bytes);
}

QStringView skipSpaces(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    return text;
}

// The field at the start of rest (after its leading spaces) up to the next
// comma; rest is left after that comma. False when there is no comma.
bool takeField(QStringView &rest, QStringView &field)
{
    rest = skipSpaces(rest);
    const qsizetype comma = rest.indexOf(u',');
    field = comma < 0 ? rest : rest.first(comma);
    rest = comma < 0 ? QStringView() : rest.sliced(comma + 1);
    return comma >= 0;
}

QString parseLine(QStringView line)
{
    QStringView rest = line;
    QStringView lastName;
    QStringView firstName;
    const bool threeFields = takeField(rest, lastName) && takeField(rest, firstName);
    const QStringView number = skipSpaces(rest);
    if (!threeFields || !FieldCheck::StartsWithCapital(lastName) ||
        !FieldCheck::Length(lastName, firstName).isEmpty() ||
        !FieldCheck::Characters(lastName, firstName, number).isEmpty())
        return line.toString();
    return GlobalModule::FormatContactLine(lastName, firstName, number);
}

} // namespace

Parsed parse(QByteArrayView bytes)
{
    Parsed parsed;
    QString text;
    if (isUtf16(bytes)) {
        parsed.error =
            QStringLiteral("il file è in formato UTF-16, che il programma non sa leggere");
        return parsed;
    }
    if (bytes.startsWith(Utf8Mark)) {
        parsed.encoding = Encoding::Utf8;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder(bytes.sliced(3));
        if (decoder.hasError()) {
            parsed.error =
                QStringLiteral("il file si dichiara UTF-8 ma contiene caratteri non validi");
            return parsed;
        }
    } else {
        text = Windows1252::decode(bytes);
    }

    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        if (end > start)
            parsed.lines.append(parseLine(all.sliced(start, end - start)));
        const bool crLf = end + 1 < all.size() && all[end] == u'\r' && all[end + 1] == u'\n';
        start = end + (crLf ? 2 : 1);
    }
    return parsed;
}

QByteArray format(const QStringList &lines, Encoding encoding)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += u"\r\n";
    }
    // A first line that would read as a byte-order mark goes after an empty
    // line, which holds no contact: the file is read back as what it is.
    if (encoding == Encoding::Utf8) {
        const QByteArray utf8 = text.toUtf8();
        return QByteArray(Utf8Mark) + (utf8.startsWith(Utf8Mark) ? "\r\n" : "") + utf8;
    }
    const QByteArray encoded = Windows1252::encode(text);
    return startsLikeAMark(encoded) ? "\r\n" + encoded : encoded;
}

} // namespace ContactFile
