#include "fieldcheck.h"

#include "contactline.h"
#include "windows1252.h"

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

QString firstRefused(const QString &field)
{
    for (const uint c : field.toUcs4()) {
        const bool encodable = c <= 0xFFFF && Windows1252::canEncode(char16_t(c));
        if (isControl(c) || !encodable)
            return QStringLiteral("Carattere non ammesso: ") + describe(c);
    }
    return {};
}

} // namespace

bool StartsWithCapital(const QString &lastName)
{
    return !lastName.isEmpty() && lastName.at(0) >= u'A' && lastName.at(0) <= u'Z';
}

QString Length(const QString &lastName, const QString &firstName)
{
    if (lastName.size() > GlobalModule::ColumnWidth)
        return QStringLiteral("Il Cognome può avere al massimo 15 caratteri.");
    if (firstName.size() > GlobalModule::ColumnWidth)
        return QStringLiteral("Il Nome può avere al massimo 15 caratteri.");
    return {};
}

QString Comma(const QString &lastName, const QString &firstName)
{
    if (lastName.contains(u',') || firstName.contains(u','))
        return QStringLiteral("La virgola non è ammessa.");
    return {};
}

QString Characters(const QString &lastName, const QString &firstName, const QString &number)
{
    for (const QString *field : {&lastName, &firstName, &number}) {
        const QString message = firstRefused(*field);
        if (!message.isEmpty())
            return message;
    }
    return {};
}

} // namespace FieldCheck
