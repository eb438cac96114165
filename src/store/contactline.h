#pragma once

#include <QString>

namespace GlobalModule {

// Width of the surname and given-name columns of a contact line.
constexpr int ColumnWidth = 15;

struct ContactFields
{
    QString lastName;
    QString firstName;
    QString number;
    bool operator==(const ContactFields &) const = default;
};

// Surname, comma, padding to 16 characters, given name, comma, padding, number.
// A field longer than its column is followed directly by its comma.
QString FormatContactLine(const QString &lastName, const QString &firstName, const QString &number);
// The same from views of the fields, such as the parts of a line being read.
QString FormatContactLine(QStringView lastName, QStringView firstName, QStringView number);

// The surname is the text before the first comma; the rest, trimmed of spaces,
// splits at its first comma into given name and number (number trimmed too).
ContactFields SplitContactLine(const QString &line);

} // namespace GlobalModule

namespace ContactLine {

// text without the spaces around it. Only the space character counts as
// padding; tabs and the like are data.
QString trimSpaces(QStringView text);

// The fields of a contact line without the spaces around them: in data.txt
// they are column padding.
GlobalModule::ContactFields fieldsOf(const QString &line);

} // namespace ContactLine
