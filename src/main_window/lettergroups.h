#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The table's lines in use under each initial letter A to Z, each group in
// list order. The table is grouped once, and again only after it has changed;
// a group is sorted the first time its letter is shown, so starting up sorts
// only the letter on screen, and filling the list again copies one group.
class LetterGroups
{
public:
    // The lines in use whose first character is letter, in list order.
    const QStringList &linesUnder(QChar letter);

private:
    void rebuild();

    std::array<QStringList, 26> m_groups;
    std::array<bool, 26> m_sorted{};
    // The table's change count the groups were made at.
    std::optional<quint64> m_madeAt;
};
