#include "exchange/contactfinder.h"

#include "store/contactline.h"

namespace {

bool listable(const QString &line)
{
    return !line.isEmpty() && line[0] >= u'A' && line[0] <= u'Z';
}

// Characters a number is written with for reading, not dialling.
bool isNumberSeparator(QChar c)
{
    switch (c.unicode()) {
    case u' ':
    case u'.':
    case u'-':
    case u'(':
    case u')':
    case u'[':
    case u']':
        return true;
    default:
        return false;
    }
}

} // namespace

ContactFinder::ContactFinder(const QStringList &lines)
{
    m_contacts.reserve(std::size_t(lines.size()));
    for (const QString &line : lines) {
        if (!listable(line))
            continue;
        const GlobalModule::ContactFields fields = ContactLine::fieldsOf(line);
        m_contacts.push_back({line, ResultText(line), nameKey(fields.lastName),
                              nameKey(fields.firstName), numberKey(fields.number)});
    }
}

QString ContactFinder::ResultText(const QString &line)
{
    const GlobalModule::ContactFields fields = ContactLine::fieldsOf(line);
    QStringList words;
    for (const QString &field : {fields.lastName, fields.firstName, fields.number}) {
        if (!field.isEmpty())
            words.append(field);
    }
    return words.join(u' ');
}

// Compatibility decomposition separates each accent from its letter (and
// turns a no-break space into a space); the accents are then dropped and the
// case folded.
QString ContactFinder::nameKey(QStringView text)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            key.append(c);
    }
    return key.toCaseFolded();
}

QString ContactFinder::numberKey(QStringView text)
{
    QString key = nameKey(text);
    key.removeIf(isNumberSeparator);
    return key;
}

QList<qsizetype> ContactFinder::find(const QString &text) const
{
    const QString trimmed = text.trimmed();
    const QString name = nameKey(trimmed);
    const QString number = numberKey(trimmed);
    QList<qsizetype> found;
    for (std::size_t i = 0; i < m_contacts.size(); ++i) {
        const Contact &contact = m_contacts[i];
        if (name.isEmpty() || contact.lastName.contains(name) || contact.firstName.contains(name) ||
            (!number.isEmpty() && contact.number.contains(number)))
            found.append(qsizetype(i));
    }
    return found;
}
