#include "roundtrip.h"

#include "contactfile.h"
#include "globalmodule.h"

using namespace GlobalModule;

QString CheckRoundTrip(QByteArrayView bytes)
{
    const LoadResult first = LoadContactBytes(bytes);
    if (ContactCount < 0 || ContactCount > TableSize)
        return QStringLiteral("ContactCount out of range: %1").arg(ContactCount);
    if (first.total != ContactCount + KeptAside.size() || first.keptAside != KeptAside.size())
        return QStringLiteral("counts disagree");
    if (first.keptAside > 0 && ContactCount != TableSize)
        return QStringLiteral("contacts kept aside while the table has room");

    const QStringList lines = AllContactLines();
    const QByteArray saved = ContactFile::format(lines);
    LoadContactBytes(saved);
    const QStringList again = AllContactLines();
    if (again != lines)
        return QStringLiteral("%1 contacts loaded, %2 after a save and load")
            .arg(lines.size())
            .arg(again.size());
    if (ContactFile::format(again) != saved)
        return QStringLiteral("a second save writes other bytes");
    return {};
}
