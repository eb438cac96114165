#include "contactline.h"

namespace GlobalModule {

namespace {

// Only the space character counts as padding; tabs and the like are data.
QString trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin).toString();
}

QString padding(const QString &field)
{
    return QString(qMax(0, ColumnWidth - int(field.size())), u' ');
}

} // namespace

QString FormatContactLine(const QString &lastName, const QString &firstName,
                          const QString &number)
{
    return lastName + u',' + padding(lastName) + firstName + u',' + padding(firstName) + number;
}

ContactFields SplitContactLine(const QString &line)
{
    ContactFields fields;
    const qsizetype firstComma = line.indexOf(u',');
    if (firstComma < 0) {
        // No comma: the whole line is the surname.
        fields.lastName = line;
        return fields;
    }
    fields.lastName = line.left(firstComma);
    const QString rest = trimSpaces(QStringView(line).sliced(firstComma + 1));
    const qsizetype secondComma = rest.indexOf(u',');
    if (secondComma < 0) {
        fields.firstName = rest;
        return fields;
    }
    fields.firstName = rest.left(secondComma);
    fields.number = trimSpaces(QStringView(rest).sliced(secondComma + 1));
    return fields;
}

} // namespace GlobalModule
