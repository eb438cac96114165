#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// Finds contacts by any part of the surname, the given name or the number.
// Names match whatever their case and accents ("nicolo" finds "Nicolò");
// numbers match whatever spaces, dots, dashes and brackets they or the text
// hold ("3331234" finds "333 123 4"). Only contacts the main window can list
// (a surname that starts with A to Z) are found.
class ContactFinder
{
public:
    // lines in the order the results are to come in; lines the main window
    // cannot list are left out. Each line is prepared for matching once.
    explicit ContactFinder(const QStringList &lines);

    // Positions (for line() and resultText()) of the contacts text finds, in
    // order. Text without anything but spaces finds every contact.
    QList<qsizetype> find(const QString &text) const;

    qsizetype size() const { return qsizetype(m_contacts.size()); }
    const QString &line(qsizetype i) const { return m_contacts[std::size_t(i)].line; }
    // "Cognome Nome Numero": the fields without their padding.
    const QString &resultText(qsizetype i) const { return m_contacts[std::size_t(i)].shown; }

    static QString ResultText(const QString &line);

private:
    struct Contact
    {
        QString line;
        QString shown;
        QString lastName; // as matched: see nameKey() and numberKey()
        QString firstName;
        QString number;
    };

    static QString nameKey(QStringView text);
    static QString numberKey(QStringView text);

    std::vector<Contact> m_contacts;
};
