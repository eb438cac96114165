#include "store/contactline.h"

#include <algorithm>

namespace ContactLine {

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

} // namespace ContactLine

namespace GlobalModule {

namespace {

using ContactLine::trimSpaces;

qsizetype padding(QStringView field)
{
    return qMax(qsizetype(0), ColumnWidth - field.size());
}

// Writes field, its comma and the spaces that fill its column; returns the
// position after them.
QChar *writeColumn(QChar *out, QStringView field)
{
    out = std::copy(field.begin(), field.end(), out);
    *out++ = u',';
    return std::fill_n(out, padding(field), QChar(u' '));
}

} // namespace

QString FormatContactLine(const QString &lastName, const QString &firstName, const QString &number)
{
    return FormatContactLine(QStringView(lastName), QStringView(firstName), QStringView(number));
}

// Written in place into one allocation: a whole data file of lines goes
// through here at every start.
QString FormatContactLine(QStringView lastName, QStringView firstName, QStringView number)
{
    QString line(lastName.size() + 1 + padding(lastName) + firstName.size() + 1 +
                     padding(firstName) + number.size(),
                 Qt::Uninitialized);
    QChar *out = writeColumn(line.data(), lastName);
    out = writeColumn(out, firstName);
    std::copy(number.begin(), number.end(), out);
    return line;
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

namespace ContactLine {

GlobalModule::ContactFields fieldsOf(const QString &line)
{
    const GlobalModule::ContactFields fields = GlobalModule::SplitContactLine(line);
    return {trimSpaces(fields.lastName), trimSpaces(fields.firstName), trimSpaces(fields.number)};
}

} // namespace ContactLine
