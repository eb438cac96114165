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

// The fields both give, alike: two empty given names say nothing.
int sameFields(const ContactFields &a, const ContactFields &b)
{
    const auto same = [](const QString &x, const QString &y) { return !x.isEmpty() && x == y; };
    return int(same(a.lastName, b.lastName)) + int(same(a.firstName, b.firstName)) +
           int(same(a.number, b.number));
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

    // Contacts keep their order, so between two found neighbours stand the
    // same contacts as after the last sync, less those deleted. Where as many
    // lines as unfound contacts stand there, they are those contacts in
    // order; where fewer or more, a contact is taken only by a field it shares
    // with one free line alone, and the rest in order if that evens them out.
    void byPlace()
    {
        struct Anchor
        {
            int before; // place after the last sync
            int now;    // line now
        };
        QList<Anchor> anchors{{-1, -1}};
        for (qsizetype c = 0; c < m_synced.size(); ++c) {
            if (m_synced[c].place >= 0 && m_links[c] >= 0)
                anchors.append({m_synced[c].place, m_links[c]});
        }
        std::sort(anchors.begin(), anchors.end(),
                  [](const Anchor &a, const Anchor &b) { return a.before < b.before; });
        anchors.append({INT_MAX, int(m_lines.size())});
        for (qsizetype a = 1; a < anchors.size(); ++a) {
            const Anchor low = anchors[a - 1];
            const Anchor high = anchors[a];
            if (low.now >= high.now)
                continue; // the neighbours changed places: nothing to go by
            QList<qsizetype> unfound;
            for (qsizetype c = 0; c < m_synced.size(); ++c) {
                const int place = m_synced[c].place;
                if (m_links[c] < 0 && place > low.before && place < high.before)
                    unfound.append(c);
            }
            std::sort(unfound.begin(), unfound.end(), [this](qsizetype x, qsizetype y) {
                return m_synced[x].place < m_synced[y].place;
            });
            QList<int> free;
            for (int i = low.now + 1; i < high.now; ++i) {
                if (!m_taken[i])
                    free.append(i);
            }
            if (unfound.size() != free.size())
                byOneField(unfound, free);
            if (unfound.size() == free.size()) {
                for (qsizetype k = 0; k < unfound.size(); ++k)
                    take(unfound[k], free[k]);
            }
        }
    }

    // Takes the contacts that share a field with one line of free alone, and
    // that line with no other contact, out of both lists.
    void byOneField(QList<qsizetype> &unfound, QList<int> &free)
    {
        const auto sharing = [this](qsizetype contact, int line) {
            return sameFields(m_lines[line], m_synced[contact].fields) > 0;
        };
        QList<std::pair<qsizetype, int>> pairs;
        for (const qsizetype c : std::as_const(unfound)) {
            const auto lines = std::count_if(free.cbegin(), free.cend(),
                                             [&](int i) { return sharing(c, i); });
            const auto line = std::find_if(free.cbegin(), free.cend(),
                                           [&](int i) { return sharing(c, i); });
            if (lines == 1 && std::count_if(unfound.cbegin(), unfound.cend(), [&](qsizetype o) {
                    return sharing(o, *line);
                }) == 1)
                pairs.append({c, *line});
        }
        for (const auto &[c, line] : std::as_const(pairs)) {
            take(c, line);
            unfound.removeOne(c);
            free.removeOne(line);
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
