#include "main_window/listorder.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <vector>

namespace ListOrder {

namespace {

// The user's language, Italian where the system names none.
QLocale collationLocale()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::Italian, QLocale::Italy);
    return locale;
}

} // namespace

QStringList Sorted(QStringList lines)
{
    QCollator collator(collationLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // One key per line, so each line is prepared for the collation once.
    struct Keyed
    {
        QCollatorSortKey key;
        QString line;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(std::size_t(lines.size()));
    for (QString &line : lines)
        keyed.push_back({collator.sortKey(line), std::move(line)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int byKey = a.key.compare(b.key);
        return byKey != 0 ? byKey < 0 : a.line < b.line;
    });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (Keyed &entry : keyed)
        sorted.append(std::move(entry.line));
    return sorted;
}

} // namespace ListOrder
