#include "sync/contactlinks.h"

#include <QHash>

#include <algorithm>
#include <climits>

namespace ContactLinks {

namespace {

using GlobalModule::ContactFields;

QString key(const ContactFields &fields)
{
    return fields.lastName + u'\x1f' + fields.firstName + u'\x1f' + fields.number;
}

int sameFields(const ContactFields &a, const ContactFields &b)
{
    return int(a.lastName == b.lastName) + int(a.firstName == b.firstName) +
           int(a.number == b.number);
}

class Linker
{
public:
    Linker(const QList<Synced> &synced, const QList<ContactFields> &lines)
        : m_synced(synced), m_lines(lines), m_links(synced.size(), -1), m_taken(lines.size(), false)
    {
    }

    QList<int> run()
    {
        byFields();
        byTwoFields();
        byPlace();
        return m_links;
    }

private:
    void take(qsizetype contact, int line)
    {
        m_links[contact] = line;
        m_taken[line] = true;
    }

    void byFields()
    {
        QHash<QString, QList<int>> free; // lines by their fields, in file order
        for (int i = 0; i < m_lines.size(); ++i)
            free[key(m_lines[i])].append(i);
        for (qsizetype c = 0; c < m_synced.size(); ++c) {
            const auto found = free.find(key(m_synced[c].fields));
            if (found != free.end() && !found->isEmpty())
                take(c, found->takeFirst());
        }
    }

    void byTwoFields()
    {
        for (qsizetype c = 0; c < m_synced.size(); ++c) {
            for (int i = 0; i < m_lines.size() && m_links[c] < 0; ++i) {
                if (!m_taken[i] && sameFields(m_lines[i], m_synced[c].fields) >= 2)
                    take(c, i);
            }
        }
    }

    void byPlace()
    {
        struct Anchor
        {
            int before; // place after the last sync
            int now;    // line now
        };
        QList<Anchor> anchors;
        QList<qsizetype> unfound;
        for (qsizetype c = 0; c < m_synced.size(); ++c) {
            if (m_synced[c].place < 0)
                continue;
            if (m_links[c] >= 0)
                anchors.append({m_synced[c].place, m_links[c]});
            else
                unfound.append(c);
        }
        std::sort(anchors.begin(), anchors.end(),
                  [](const Anchor &a, const Anchor &b) { return a.before < b.before; });
        for (const qsizetype c : std::as_const(unfound)) {
            const int place = m_synced[c].place;
            Anchor low{-1, -1};
            Anchor high{INT_MAX, int(m_lines.size())};
            for (const Anchor &anchor : std::as_const(anchors)) {
                if (anchor.before < place) {
                    low = anchor;
                } else if (anchor.before > place) {
                    high = anchor;
                    break;
                }
            }
            if (low.now >= high.now)
                continue; // the neighbours changed places: nothing to go by
            int others = 0;
            for (const qsizetype other : std::as_const(unfound)) {
                const int otherPlace = m_synced[other].place;
                others += int(other != c && otherPlace > low.before && otherPlace < high.before);
            }
            int found = -1;
            int free = 0;
            for (int i = low.now + 1; i < high.now; ++i) {
                if (!m_taken[i]) {
                    found = i;
                    ++free;
                }
            }
            if (others == 0 && free == 1)
                take(c, found);
        }
    }

    const QList<Synced> &m_synced;
    const QList<ContactFields> &m_lines;
    QList<int> m_links;
    QList<bool> m_taken;
};

} // namespace

QList<int> link(const QList<Synced> &synced, const QList<ContactFields> &lines)
{
    return Linker(synced, lines).run();
}

} // namespace ContactLinks
