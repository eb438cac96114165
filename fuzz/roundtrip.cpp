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
    if (!first.error.isEmpty())
        return loaded.status == DataFile::LoadResult::Unreadable && ContactCount == 0
                   ? QString()
                   : QStringLiteral("unreadable text loaded");
    if (ContactTable::allLines() != first.lines)
        return QStringLiteral("the table is not what the file holds");

    const QByteArray saved = ContactFile::format(first.lines, first.encoding);
    const ContactFile::Parsed again = ContactFile::parse(saved);
    if (again.lines != first.lines || again.encoding != first.encoding)
        return QStringLiteral("%1 contacts loaded, %2 after a save and load")
            .arg(first.lines.size())
            .arg(again.lines.size());
    if (ContactFile::format(again.lines, again.encoding) != saved)
        return QStringLiteral("a second save writes other bytes");
    return {};
}
