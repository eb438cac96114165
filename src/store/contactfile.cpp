#include "store/contactfile.h"

#include "store/contactline.h"
#include "store/fieldcheck.h"
#include "store/windows1252.h"

#include <QStringDecoder>

namespace ContactFile {

namespace {

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

// UTF-16 text: a byte-order mark, or a NUL in every other byte. A file this
// program wrote never looks so: each of its lines ends in CR LF.
bool isUtf16(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    if (bytes.size() < 2)
        return false;
    bool evenNul = true;
    bool oddNul = true;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        (i % 2 == 0 ? evenNul : oddNul) &= bytes[i] == '\0';
    return evenNul || oddNul;
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
            QStringLiteral("il file è in formato UTF-16, che il programma non sa leggere.");
        return parsed;
    }
    if (bytes.startsWith(Utf8Mark)) {
        parsed.encoding = Encoding::Utf8;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder(bytes.sliced(3));
        if (decoder.hasError()) {
            parsed.error =
                QStringLiteral("il file si dichiara UTF-8 ma contiene caratteri non validi.");
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
    if (encoding == Encoding::Utf8)
        return QByteArray(Utf8Mark) + text.toUtf8();
    return Windows1252::encode(text);
}

} // namespace ContactFile
