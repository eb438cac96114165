#include "vcardcheck.h"

#include "exchange/contactimport.h"
#include "exchange/vcardreader.h"
#include "exchange/vcardwriter.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"

#include <QBuffer>

using namespace GlobalModule;

QString CheckVCard(QByteArrayView bytes)
{
    const QList<VCardReader::Card> cards = VCardReader::parse(bytes);
    for (qsizetype i = 0; i < cards.size(); ++i) {
        if (cards[i].position != i + 1 || cards[i].line < 1)
            return QStringLiteral("card %1 has position %2, line %3")
                .arg(i + 1)
                .arg(cards[i].position)
                .arg(cards[i].line);
    }
    ContactTable::clear();
    const ContactImport::Result result = ContactImport::addCards(cards);
    if (result.imported + result.leftOut != cards.size() || result.imported != ContactCount)
        return QStringLiteral("counts disagree");

    const QStringList lines = ContactTable::allLines();
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    VCardWriter::write(lines, written);
    const QList<VCardReader::Card> again = VCardReader::parse(written.data());
    if (again.size() != lines.size())
        return QStringLiteral("%1 contacts written, %2 read back")
            .arg(lines.size())
            .arg(again.size());
    for (qsizetype i = 0; i < again.size(); ++i) {
        const QString line =
            FormatContactLine(again[i].lastName, again[i].firstName, again[i].number);
        // A number that itself starts with "tel:" reads back as a tel: URI.
        const bool telUri = SplitContactLine(lines[i]).number.startsWith(QLatin1String("tel:"),
                                                                         Qt::CaseInsensitive);
        if ((line != lines[i] && !telUri) || !again[i].notes.isEmpty())
            return QStringLiteral("written \"%1\", read back \"%2\" %3")
                .arg(lines[i], line, again[i].notes.join(u' '));
    }
    return {};
}
