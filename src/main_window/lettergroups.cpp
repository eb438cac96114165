#include "main_window/lettergroups.h"

#include "main_window/listorder.h"
#include "store/contacttable.h"

const QStringList &LetterGroups::linesUnder(QChar letter)
{
    static const QStringList none;
    if (letter < u'A' || letter > u'Z')
        return none;
    if (m_madeAt != ContactTable::changeCount())
        rebuild();
    const std::size_t group = letter.unicode() - u'A';
    if (!m_sorted[group]) {
        m_groups[group] = ListOrder::Sorted(std::move(m_groups[group]));
        m_sorted[group] = true;
    }
    return m_groups[group];
}

void LetterGroups::rebuild()
{
    m_groups = {};
    m_sorted = {};
    for (int i = 0; i < GlobalModule::ContactCount; ++i) {
        const QString &line = GlobalModule::Contacts[i];
        if (!line.isEmpty() && line[0] >= u'A' && line[0] <= u'Z')
            m_groups[line[0].unicode() - u'A'].append(line);
    }
    m_madeAt = ContactTable::changeCount();
}
