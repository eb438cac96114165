#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

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
    bool isCurrent() const;
    void rebuild();

    // The lines the groups were made from. Strings share their text when
    // copied, and changing one gives it text of its own, so the table has
    // changed as soon as one of its lines is not the very same text.
    std::vector<QString> m_madeFrom;
    std::array<QStringList, 26> m_groups;
    std::array<bool, 26> m_sorted{};
    bool m_made = false;
};
