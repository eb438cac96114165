#pragma once

#include <QString>

// What data.txt cannot hold, checked before the entry dialog or an import
// stores a contact. Each function returns the message to show, or an empty
// text.
namespace FieldCheck {

// The first character must be a capital letter A to Z.
bool StartsWithCapital(QStringView lastName);

// Surname, then given name, at most 15 characters (the column width).
QString Length(QStringView lastName, QStringView firstName);

// A comma in the surname or the given name would move the fields apart when
// the line is split or read back; the number may hold commas.
QString Comma(QStringView lastName, QStringView firstName);

// Control characters (line breaks and tabs of pasted text included) and
// characters that Windows-1252 cannot hold.
QString Characters(QStringView lastName, QStringView firstName, QStringView number);

} // namespace FieldCheck
