#include "exchange/vcardreader.h"

#include "exchange/vcardproperty.h"

#include <optional>

namespace VCardReader {

namespace {

constexpr QByteArrayView Bom("\xEF\xBB\xBF");

QByteArrayView withoutBom(QByteArrayView bytes)
{
    return bytes.startsWith(Bom) ? bytes.sliced(Bom.size()) : bytes;
}

// The file's lines, ended by CR LF, LF or CR alone, with their numbers.
class PhysicalLines
{
public:
    explicit PhysicalLines(QByteArrayView bytes) : m_bytes(bytes) {}

    bool next(QByteArrayView &line)
    {
        if (m_pos >= m_bytes.size())
            return false;
        qsizetype end = m_pos;
        while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n')
            ++end;
        line = m_bytes.sliced(m_pos, end - m_pos);
        m_pos = end + 1;
        if (end < m_bytes.size() && m_bytes[end] == '\r' && m_pos < m_bytes.size() &&
            m_bytes[m_pos] == '\n')
            ++m_pos;
        ++m_number;
        return true;
    }
    int number() const { return m_number; }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    int m_number = 0;
};

bool isLine(QByteArrayView line, QByteArrayView text)
{
    return withoutBom(line).trimmed().compare(text, Qt::CaseInsensitive) == 0;
}

bool isCardBoundary(QByteArrayView line)
{
    return isLine(line, "BEGIN:VCARD") || isLine(line, "END:VCARD");
}

// The backslash escapes of 3.0 and 4.0 (2.1 knows only "\;"); any other
// backslash stays as it is.
QString unescape(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            result.append(text[i]);
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n' || next == u'N')
            result.append(u'\n');
        else if (next == u',' || next == u';' || next == u'\\')
            result.append(next);
        else
            result.append(u'\\').append(next);
    }
    return result;
}

// N's components: split on the semicolons no backslash escapes.
QStringList splitComponents(QStringView text)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\') {
            ++i;
        } else if (text[i] == u';') {
            parts.append(unescape(text.sliced(start, i - start)).trimmed());
            start = i + 1;
        }
    }
    parts.append(unescape(text.sliced(start)).trimmed());
    return parts;
}

struct Tel
{
    QString number;
    int pref = 0;
    bool cell = false;
    int property = 0; // its place among the card's TEL properties
};

// The card being read and what it has found so far.
class OpenCard
{
public:
    OpenCard(int position, int line)
    {
        m_card.position = position;
        m_card.line = line;
    }

    void add(const VCardProperty &property)
    {
        if (property.name == "N" && !m_hasN) {
            m_hasN = true;
            const QStringList parts = splitComponents(text(property));
            m_last = parts.value(0);
            m_first = parts.value(1);
        } else if (property.name == "FN" && m_fn.isEmpty()) {
            m_fn = unescape(text(property)).trimmed();
        } else if (property.name == "TEL") {
            QString number = unescape(text(property)).trimmed();
            if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
                number = number.sliced(4).trimmed();
            if (!number.isEmpty())
                m_tels.append({number, property.pref, property.types.contains("CELL"), m_telCount});
            ++m_telCount;
        }
    }

    Card finish(bool closed)
    {
        if (!closed)
            m_card.notes.prepend(QStringLiteral("non chiusa da END:VCARD."));
        if (!m_last.isEmpty() || !m_first.isEmpty()) {
            m_card.lastName = m_last;
            m_card.firstName = m_first;
        } else if (!m_fn.isEmpty()) {
            const qsizetype space = m_fn.lastIndexOf(u' ');
            m_card.lastName = m_fn.sliced(space + 1);
            if (space > 0)
                m_card.firstName = m_fn.first(space).trimmed();
            m_card.notes.append(QStringLiteral("Cognome e Nome presi da FN (manca N)."));
        }
        m_card.name = !m_fn.isEmpty() ? m_fn : QStringList{m_first, m_last}.join(u' ').trimmed();
        takeNumber();
        return m_card;
    }

private:
    QString text(const VCardProperty &property)
    {
        QString guessed;
        const QString decoded = property.text(&guessed);
        if (!guessed.isEmpty())
            note(guessed);
        return decoded;
    }

    void note(const QString &text)
    {
        if (!m_card.notes.contains(text))
            m_card.notes.append(text);
    }

    // The preferred number (the lowest PREF), else the first mobile, else the
    // first; the others are named in the notes.
    void takeNumber()
    {
        if (m_tels.isEmpty())
            return;
        qsizetype chosen = -1;
        for (qsizetype i = 0; i < m_tels.size(); ++i) {
            const int pref = m_tels[i].pref;
            if (pref > 0 && (chosen < 0 || pref < m_tels[chosen].pref))
                chosen = i;
        }
        for (qsizetype i = 0; i < m_tels.size() && chosen < 0; ++i) {
            if (m_tels[i].cell)
                chosen = i;
        }
        chosen = qMax(chosen, qsizetype(0));
        m_card.number = m_tels[chosen].number;
        m_card.numberProperty = m_tels[chosen].property;
        QStringList others;
        for (qsizetype i = 0; i < m_tels.size(); ++i) {
            if (i != chosen)
                others.append(m_tels[i].number);
        }
        if (!others.isEmpty())
            m_card.notes.append(QStringLiteral("altri numeri non importati: %1.")
                                    .arg(others.join(QLatin1String(", "))));
    }

    Card m_card;
    bool m_hasN = false;
    QString m_last;
    QString m_first;
    QString m_fn;
    QList<Tel> m_tels;
    int m_telCount = 0;
};

// Takes the file's logical lines one by one and collects the cards.
class Cards
{
public:
    void take(QByteArrayView line, int number)
    {
        line = withoutBom(line); // files joined with cat carry one per part
        if (isLine(line, "BEGIN:VCARD")) {
            finish(false);
            m_open.emplace(++m_position, number);
        } else if (isLine(line, "END:VCARD")) {
            finish(true);
        } else if (m_open) {
            VCardProperty property;
            if (VCardProperty::parse(line, property))
                m_open->add(property);
        }
    }

    QList<Card> finish()
    {
        finish(false);
        return std::move(m_cards);
    }

private:
    void finish(bool closed)
    {
        if (!m_open)
            return;
        m_cards.append(m_open->finish(closed));
        m_open.reset();
    }

    QList<Card> m_cards;
    std::optional<OpenCard> m_open;
    int m_position = 0;
};

enum class LineEncoding { NotYetKnown, Plain, QuotedPrintable };

// A quoted-printable value whose line ends in "=" goes on in the next line.
// Whether the line is quoted-printable is found once per line, so a value
// broken into many short lines is still read in linear time.
bool softBreakFollows(const QByteArray &line, LineEncoding &encoding)
{
    if (!line.endsWith('='))
        return false;
    if (encoding == LineEncoding::NotYetKnown) {
        VCardProperty property;
        encoding = VCardProperty::parse(line, property) && property.quotedPrintable
                       ? LineEncoding::QuotedPrintable
                       : LineEncoding::Plain;
    }
    return encoding == LineEncoding::QuotedPrintable;
}

} // namespace

QList<Card> parse(QByteArrayView bytes)
{
    if (bytes.size() > MaxFileSize)
        return {};
    Cards cards;
    PhysicalLines lines(withoutBom(bytes));
    QByteArray logical; // the line being unfolded
    int logicalNumber = 0;
    LineEncoding encoding = LineEncoding::NotYetKnown;
    QByteArrayView line;
    while (lines.next(line)) {
        if (logicalNumber > 0 && (line.startsWith(' ') || line.startsWith('\t'))) {
            logical.append(line.sliced(1));
            continue;
        }
        // A damaged value never swallows the next card.
        if (logicalNumber > 0 && !isCardBoundary(line) && softBreakFollows(logical, encoding)) {
            logical.chop(1);
            logical.append(line);
            continue;
        }
        if (logicalNumber > 0)
            cards.take(logical, logicalNumber);
        logical = line.toByteArray();
        logicalNumber = lines.number();
        encoding = LineEncoding::NotYetKnown;
    }
    if (logicalNumber > 0)
        cards.take(logical, logicalNumber);
    return cards.finish();
}

} // namespace VCardReader
