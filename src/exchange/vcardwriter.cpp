#include "exchange/vcardwriter.h"

#include "store/contactline.h"

namespace VCardWriter {

namespace {

constexpr qsizetype FoldWidth = 75;

bool isContinuationByte(char c)
{
    return (uchar(c) & 0xC0) == 0x80;
}

} // namespace

QString escape(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u',' || c == u';') {
            escaped.append(u'\\').append(c);
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            escaped.append(QLatin1String("\\n"));
        } else {
            escaped.append(c);
        }
    }
    return escaped;
}

// The line in pieces of at most 75 octets, each after the first starting
// with a space, never cutting a UTF-8 sequence.
void appendFolded(QByteArray &out, const QByteArray &line)
{
    qsizetype pos = 0;
    qsizetype room = FoldWidth;
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        while (cut > pos + 1 && isContinuationByte(line[cut]))
            --cut;
        out.append(line.constData() + pos, cut - pos).append("\r\n ");
        pos = cut;
        room = FoldWidth - 1;
    }
    out.append(line.constData() + pos, line.size() - pos).append("\r\n");
}

bool write(const QStringList &lines, QIODevice &device)
{
    for (const QString &line : lines) {
        QByteArray out;
        const GlobalModule::ContactFields fields = ContactLine::fieldsOf(line);
        const QString fullName =
            QStringList{fields.firstName, fields.lastName}.join(u' ').trimmed();
        out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
        appendFolded(out, "N:" + (escape(fields.lastName) + u';' + escape(fields.firstName) +
                                  QLatin1String(";;;"))
                                     .toUtf8());
        appendFolded(out, "FN:" + escape(fullName).toUtf8());
        if (!fields.number.isEmpty())
            appendFolded(out, "TEL:" + escape(fields.number).toUtf8());
        out.append("END:VCARD\r\n");
        if (device.write(out) != out.size())
            return false;
    }
    return true;
}

} // namespace VCardWriter
