#include "exchange/contactimport.h"

#include "store/contacttable.h"
#include "store/fieldcheck.h"
#include "store/globalmodule.h"

#include <QFile>

namespace ContactImport {

namespace {

QString cardLine(const VCardReader::Card &card, const QString &text)
{
    const QString where =
        card.name.isEmpty()
            ? QStringLiteral("Scheda %1 (riga %2)").arg(card.position).arg(card.line)
            : QStringLiteral("Scheda %1 (riga %2, %3)")
                  .arg(card.position)
                  .arg(card.line)
                  .arg(card.name);
    return where + QLatin1String(": ") + text;
}

// The first reason to leave the card out, or an empty text once it is added.
QString add(const VCardReader::Card &card)
{
    const QString reason = refusal(card.lastName, card.firstName, card.number);
    if (!reason.isEmpty())
        return reason;
    const QString line =
        GlobalModule::FormatContactLine(card.lastName, card.firstName, card.number);
    if (ContactTable::lastIndexOf(line) >= 0)
        return QStringLiteral("È già nell'elenco.");
    if (!ContactTable::append(line))
        return QStringLiteral("L'elenco è pieno (%1 contatti).").arg(ContactTable::Capacity);
    return {};
}

} // namespace

QString refusal(const QString &lastName, const QString &firstName, const QString &number)
{
    if (lastName.isEmpty())
        return QStringLiteral("Manca il Cognome.");
    if (firstName.isEmpty())
        return QStringLiteral("Manca il Nome.");
    if (number.isEmpty())
        return QStringLiteral("Manca il numero di telefono.");
    if (!FieldCheck::StartsWithCapital(lastName))
        return QStringLiteral("Il Cognome deve iniziare con una lettera maiuscola da A a Z.");
    QString message = FieldCheck::Length(lastName, firstName);
    if (message.isEmpty())
        message = FieldCheck::Comma(lastName, firstName);
    if (message.isEmpty())
        message = FieldCheck::Characters(lastName, firstName, number);
    return message;
}

Result addCards(const QList<VCardReader::Card> &cards)
{
    Result result;
    for (const VCardReader::Card &card : cards) {
        for (const QString &note : card.notes)
            result.report.append(cardLine(card, note));
        const QString reason = add(card);
        if (reason.isEmpty()) {
            ++result.imported;
        } else {
            ++result.leftOut;
            result.report.append(cardLine(card, QLatin1String("non importata. ") + reason));
        }
    }
    return result;
}

Result addFile(const QString &path)
{
    Result result;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(VCardReader::MaxFileSize + 1); // a pipe has no size to ask
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("Impossibile leggere %1: %2").arg(path, file.errorString());
    } else if (bytes.size() > VCardReader::MaxFileSize) {
        result.error = QStringLiteral("%1 supera i 16 MiB: non viene importato.").arg(path);
    } else {
        const QList<VCardReader::Card> cards = VCardReader::parse(bytes);
        if (cards.isEmpty())
            result.error = QStringLiteral("%1 non contiene schede vCard.").arg(path);
        else
            result = addCards(cards);
    }
    return result;
}

QString summary(const Result &result, const QString &fileName)
{
    QStringList lines{
        QStringLiteral("Importati %1 contatti da %2.").arg(result.imported).arg(fileName)};
    lines += result.report;
    return lines.join(u'\n');
}

} // namespace ContactImport
