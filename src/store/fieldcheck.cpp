#include "store/fieldcheck.h"

#include "store/contactline.h"
#include "store/windows1252.h"

#include <QList>

namespace FieldCheck {

namespace {

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// The character itself where it shows, its code where it would not.
QString describe(char32_t c)
{
    const QString text = QString::fromUcs4(&c, 1);
    if (isControl(c) || !QChar::isPrint(c) || QChar::isSpace(c))
        return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    return text;
}

QString firstRefused(QStringView field)
{
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (isControl(c.unicode()) || !Windows1252::canEncode(c.unicode())) {
            const bool pair = c.isHighSurrogate() && i + 1 < field.size();
            return QStringLiteral("Carattere non ammesso: ") +
                   describe(pair ? QChar::surrogateToUcs4(c, field[i + 1]) : c.unicode());
        }
    }
    return {};
}

} // namespace

bool StartsWithCapital(QStringView lastName)
{
    return !lastName.isEmpty() && lastName.at(0) >= u'A' && lastName.at(0) <= u'Z';
}

QString Length(QStringView lastName, QStringView firstName)
{
    if (lastName.size() > GlobalModule::ColumnWidth)
        return QStringLiteral("Il Cognome può avere al massimo 15 caratteri.");
    if (firstName.size() > GlobalModule::ColumnWidth)
        return QStringLiteral("Il Nome può avere al massimo 15 caratteri.");
    return {};
}

QString Comma(QStringView lastName, QStringView firstName)
{
    if (lastName.contains(u',') || firstName.contains(u','))
        return QStringLiteral("La virgola non è ammessa.");
    return {};
}

QString Characters(QStringView lastName, QStringView firstName, QStringView number)
{
    for (const QStringView field : {lastName, firstName, number}) {
        const QString message = firstRefused(field);
        if (!message.isEmpty())
            return message;
    }
    return {};
}

} // namespace FieldCheck
