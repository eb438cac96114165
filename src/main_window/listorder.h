#pragma once

#include <QStringList>

// The order of the contact list: the Unicode collation of the user's
// language (Italian where the system names none), case-insensitive, accented
// letters beside their base letter; lines the collation holds equal are
// ordered by their exact text, so the order is total and the same on every
// refill.
namespace ListOrder {

QStringList Sorted(QStringList lines);

} // namespace ListOrder
