#include "store/contacttable.h"

namespace ContactTable {

using GlobalModule::ContactCount;
using GlobalModule::Contacts;

QStringList keptAside;

bool append(const QString &line)
{
    if (ContactCount >= Capacity)
        return false;
    Contacts[ContactCount] = line;
    ++ContactCount;
    return true;
}

void replace(int index, const QString &line)
{
    Q_ASSERT(index >= 0 && index < ContactCount);
    Contacts[index] = line;
}

void remove(int index)
{
    Q_ASSERT(index >= 0 && index < ContactCount);
    for (int k = index; k < ContactCount - 1; ++k)
        Contacts[k] = Contacts[k + 1];
    --ContactCount;
}

void clear()
{
    ContactCount = 0;
    keptAside.clear();
}

int lastIndexOf(const QString &line)
{
    for (int i = ContactCount - 1; i >= 0; --i) {
        if (Contacts[i] == line)
            return i;
    }
    return -1;
}

QStringList allLines()
{
    QStringList lines;
    lines.reserve(ContactCount + keptAside.size());
    for (int i = 0; i < ContactCount; ++i)
        lines.append(Contacts[i]);
    lines += keptAside;
    return lines;
}

} // namespace ContactTable
