#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// The order of the contact list: the Unicode collation of the user's
// language (Italian where the system names none), case-insensitive, accented
// letters beside their base letter; lines the collation holds equal are
// ordered by their exact text, so the order is total and the same on every
// refill.
namespace ListOrder {

QStringList Sorted(QStringList lines);

// Contact lines are nearly always printable Latin-1, where the collation of
// Italian and English (the root order of Unicode) comes down to a weight per
// character and one per accent. For such a line this is its collation key
// (bytewise, two keys compare as the collation compares their lines), made
// without opening the collation library, which costs the program's start
// 2 MiB and a millisecond; none when a character needs the library.
std::optional<QByteArray> LatinKey(QStringView line);

} // namespace ListOrder
