#include "main_window/lettergroups.h"

#include "main_window/listorder.h"
#include "store/globalmodule.h"

const QStringList &LetterGroups::linesUnder(QChar letter)
{
    static const QStringList none;
    if (letter < u'A' || letter > u'Z')
        return none;
    if (!isCurrent())
        rebuild();
    const std::size_t group = letter.unicode() - u'A';
    if (!m_sorted[group]) {
        m_groups[group] = ListOrder::Sorted(std::move(m_groups[group]));
        m_sorted[group] = true;
    }
    return m_groups[group];
}

bool LetterGroups::isCurrent() const
{
    using GlobalModule::Contacts;
    if (!m_made || qsizetype(m_madeFrom.size()) != GlobalModule::ContactCount)
        return false;
    for (std::size_t i = 0; i < m_madeFrom.size(); ++i) {
        if (Contacts[i].constData() != m_madeFrom[i].constData() ||
            Contacts[i].size() != m_madeFrom[i].size())
            return false;
    }
    return true;
}

void LetterGroups::rebuild()
{
    m_madeFrom.assign(GlobalModule::Contacts.begin(),
                      GlobalModule::Contacts.begin() + GlobalModule::ContactCount);
    m_groups = {};
    m_sorted = {};
    for (const QString &line : m_madeFrom) {
        if (!line.isEmpty() && line[0] >= u'A' && line[0] <= u'Z')
            m_groups[line[0].unicode() - u'A'].append(line);
    }
    m_made = true;
}
