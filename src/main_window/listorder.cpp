#include "listorder.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <array>
#include <vector>

namespace ListOrder {

namespace {

// Printable Latin-1 in ascending order of the collation's first level; the
// characters of one entry share their weight (case, and the ordinal and
// superscript forms, differ only at the third level, which a case-insensitive
// order ignores). Missing: the soft hyphen, the fractions, Æ, Ð, ß, æ and ð,
// which the collation expands or weighs apart.
// clang-format off
constexpr const char16_t *PrimaryOrder[] = {
    u" \u00A0", u"_", u"-", u",", u";", u":", u"!", u"\u00A1", u"?", u"\u00BF", u".", u"\u00B7",
    u"'", u"\"", u"\u00AB", u"\u00BB", u"(", u")", u"[", u"]", u"{", u"}", u"\u00A7", u"\u00B6",
    u"@", u"*", u"/", u"\\", u"&", u"#", u"%", u"`", u"\u00B4", u"^", u"\u00AF", u"\u00A8",
    u"\u00B8", u"\u00B0", u"\u00A9", u"\u00AE", u"+", u"\u00B1", u"\u00F7", u"\u00D7", u"<", u"=",
    u">", u"\u00AC", u"|", u"\u00A6", u"~", u"\u00A4", u"\u00A2", u"$", u"\u00A3", u"\u00A5", u"0",
    u"1\u00B9", u"2\u00B2", u"3\u00B3", u"4", u"5", u"6", u"7", u"8", u"9", u"Aa\u00AA", u"Bb",
    u"Cc", u"Dd", u"Ee", u"Ff", u"Gg", u"Hh", u"Ii", u"Jj", u"Kk", u"Ll", u"Mm", u"Nn",
    u"Oo\u00BA", u"Pp", u"Qq", u"Rr", u"Ss", u"Tt", u"Uu", u"Vv", u"Ww", u"Xx", u"Yy", u"Zz",
    u"\u00DE\u00FE", u"\u00B5"};
// clang-format on

// The accents of Latin-1 letters in ascending order of the collation's second
// level, where an accented letter weighs as its base letter followed by its
// accent. The stroke of Ø has no combining mark of its own in Latin-1.
constexpr char16_t Stroke = 0x0338;
constexpr char16_t AccentOrder[] = {0x0301 /* acute */,
                                    0x0300 /* grave */,
                                    0x0302 /* circumflex */,
                                    0x030A /* ring */,
                                    0x0308 /* diaeresis */,
                                    0x0303 /* tilde */,
                                    Stroke,
                                    0x0327 /* cedilla */};

struct Weight
{
    quint8 primary = 0; // 0: the character needs the collation library
    quint8 accent = 0;  // 0: none
};

using WeightTable = std::array<Weight, 256>;

WeightTable buildWeights()
{
    WeightTable table;
    for (std::size_t rank = 0; rank < std::size(PrimaryOrder); ++rank) {
        for (const char16_t *c = PrimaryOrder[rank]; *c; ++c)
            table[*c].primary = quint8(rank + 1);
    }
    for (char16_t c = 0xC0; c <= 0xFF; ++c) {
        QString parts = QChar(c).decomposition();
        if (c == u'\u00D8' || c == u'\u00F8')
            parts = QString(c == u'\u00D8' ? u'O' : u'o') + QChar(Stroke);
        if (parts.size() != 2 || parts[0].unicode() > 0xFF)
            continue;
        const auto *accent =
            std::find(std::begin(AccentOrder), std::end(AccentOrder), parts[1].unicode());
        if (accent == std::end(AccentOrder))
            continue;
        table[c].primary = table[parts[0].unicode()].primary;
        table[c].accent = quint8(accent - std::begin(AccentOrder) + 1);
    }
    return table;
}

const WeightTable &weights()
{
    static const WeightTable table = buildWeights();
    return table;
}

// The user's language, Italian where the system names none.
QLocale collationLocale()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::Italian, QLocale::Italy);
    return locale;
}

// The languages whose collation is the root order for Latin-1.
bool latinKeysApply()
{
    static const bool apply = [] {
        const QLocale::Language language = collationLocale().language();
        return language == QLocale::Italian || language == QLocale::English;
    }();
    return apply;
}

// Opened once, and only for a line the weight table cannot key.
const QCollator &collator()
{
    static const QCollator instance = [] {
        QCollator collator(collationLocale());
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        return collator;
    }();
    return instance;
}

int compare(const QByteArray &a, const QByteArray &b)
{
    return a.compare(b);
}

int compare(const QCollatorSortKey &a, const QCollatorSortKey &b)
{
    return a.compare(b);
}

// lines in the order of their keys (keys[i] is the key of lines[i]), lines
// with equal keys by their exact text.
template <typename Key> QStringList sortedBy(QStringList lines, std::vector<Key> keys)
{
    std::vector<qsizetype> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = qsizetype(i);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byKey = compare(keys[std::size_t(a)], keys[std::size_t(b)]);
        return byKey != 0 ? byKey < 0 : lines[a] < lines[b];
    });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const qsizetype i : order)
        sorted.append(std::move(lines[i]));
    return sorted;
}

} // namespace

std::optional<QByteArray> LatinKey(QStringView line)
{
    const WeightTable &table = weights();
    // The first level of every character, a separator below all of them (a
    // line that is the start of another comes first), then the second level.
    QByteArray key(2 * line.size() + 1, Qt::Uninitialized);
    char *primary = key.data();
    char *accent = primary + line.size() + 1;
    *(accent - 1) = 0;
    for (const QChar c : line) {
        if (c.unicode() >= table.size() || table[c.unicode()].primary == 0)
            return std::nullopt;
        *primary++ = char(table[c.unicode()].primary);
        *accent++ = char(table[c.unicode()].accent);
    }
    return key;
}

QStringList Sorted(QStringList lines)
{
    if (latinKeysApply()) {
        std::vector<QByteArray> keys;
        keys.reserve(lines.size());
        for (const QString &line : std::as_const(lines)) {
            std::optional<QByteArray> key = LatinKey(line);
            if (!key)
                break;
            keys.push_back(std::move(*key));
        }
        if (qsizetype(keys.size()) == lines.size())
            return sortedBy(std::move(lines), std::move(keys));
    }
    std::vector<QCollatorSortKey> keys;
    keys.reserve(lines.size());
    for (const QString &line : std::as_const(lines))
        keys.push_back(collator().sortKey(line));
    return sortedBy(std::move(lines), std::move(keys));
}

} // namespace ListOrder
