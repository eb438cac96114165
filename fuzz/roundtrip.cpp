#include "roundtrip.h"

#include "store/contactfile.h"
#include "store/contacttable.h"
#include "store/datafile.h"

using namespace GlobalModule;

QString CheckRoundTrip(QByteArrayView bytes)
{
    const DataFile::LoadResult loaded = DataFile::loadBytes(bytes);
    if (ContactCount < 0 || ContactCount > ContactTable::Capacity)
        return QStringLiteral("ContactCount out of range: %1").arg(ContactCount);
    if (loaded.total != ContactCount + ContactTable::keptAside.size() ||
        loaded.keptAside != ContactTable::keptAside.size())
        return QStringLiteral("counts disagree");
    if (loaded.keptAside > 0 && ContactCount != ContactTable::Capacity)
        return QStringLiteral("contacts kept aside while the table has room");

    const ContactFile::Parsed first = ContactFile::parse(bytes);
    if (loaded.status == DataFile::LoadResult::Unreadable)
        return ContactCount == 0 && !first.error.isEmpty() ? QString()
                                                           : QStringLiteral("unreadable text loaded");

    // Whatever a save writes reads back to the same table, in the same
    // encoding, and a second save writes the same bytes.
    const QStringList table = ContactTable::allLines();
    const QByteArray saved = ContactFile::format(table, first.encoding);
    const DataFile::LoadResult again = DataFile::loadBytes(saved);
    if (again.status != DataFile::LoadResult::Loaded)
        return QStringLiteral("the saved file cannot be read: %1").arg(again.error);
    if (ContactTable::allLines() != table)
        return QStringLiteral("%1 contacts loaded, %2 after a save and load")
            .arg(table.size())
            .arg(ContactTable::allLines().size());
    if (ContactFile::parse(saved).encoding != first.encoding)
        return QStringLiteral("the saved file reads in another encoding");
    if (ContactFile::format(ContactTable::allLines(), first.encoding) != saved)
        return QStringLiteral("a second save writes other bytes");
    return {};
}
