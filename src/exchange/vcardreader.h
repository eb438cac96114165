#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// Reads the cards of a vCard file (versions 2.1, 3.0 and 4.0, mixed in one
// file) into the three fields a contact line holds. Pure: bytes in, cards
// out; the file I/O and the rules for storing a card live in ContactImport.
namespace VCardReader {

// Larger files are refused before they are read.
constexpr qsizetype MaxFileSize = 16 * 1024 * 1024;

struct Card
{
    int position = 0; // 1 for the file's first card
    int line = 0;     // the line of its BEGIN:VCARD, counting from 1
    QString lastName;
    QString firstName;
    QString number;
    // Which of the card's TEL properties (0 for the first) number came from,
    // or -1: a patch of the card changes that one.
    int numberProperty = -1;
    // How a report names the card: its FN, else the given name and surname.
    QString name;
    // What the reader did that the user should know: the name taken from FN,
    // numbers left out, a card never closed, text whose encoding was guessed.
    QStringList notes;
};

// Every card, in file order. A card left open by a new BEGIN:VCARD or by the
// end of the file keeps what it read and says so in its notes. Text outside
// cards and every property other than N, FN and TEL are ignored. Nothing is
// read from bytes larger than MaxFileSize.
QList<Card> parse(QByteArrayView bytes);

} // namespace VCardReader
