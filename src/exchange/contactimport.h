#pragma once

#include "exchange/vcardreader.h"

#include <QString>
#include <QStringList>

// Adds the cards of a vCard file to the contact table under the entry
// dialog's rules for a new contact. Nothing is saved here: the command line
// saves afterwards, a drop on the window leaves it to the user.
namespace ContactImport {

struct Result
{
    int imported = 0;
    int leftOut = 0;
    // Why the file was not read at all; nothing was imported then.
    QString error;
    // One line per card left out, and per card the reader has something to
    // say about, each naming the card by its position, line and name.
    QStringList report;
};

// Why "Aggiungi" would refuse these fields, or an empty text. A card is
// never changed to fit.
QString refusal(const QString &lastName, const QString &firstName, const QString &number);

// Appends every card that passes the rules, is not already in the table and
// finds room there.
Result addCards(const QList<VCardReader::Card> &cards);

// The same for the file at path. A file that cannot be read, is larger than
// VCardReader::MaxFileSize or holds no card gives an error and changes
// nothing.
Result addFile(const QString &path);

// "Importati N contatti da FILE." followed by the result's report lines.
QString summary(const Result &result, const QString &fileName);

} // namespace ContactImport
