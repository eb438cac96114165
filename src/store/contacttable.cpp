#include "store/contacttable.h"

namespace ContactTable {

using GlobalModule::ContactCount;
using GlobalModule::Contacts;

QStringList keptAside;

namespace {
quint64 changes = 0;
}

bool append(const QString &line)
{
    if (ContactCount >= Capacity)
        return false;
    Contacts[ContactCount] = line;
    ++ContactCount;
    ++changes;
    return true;
}

int fill(QStringList lines)
{
    clear();
    for (QString &line : lines) {
        if (ContactCount < Capacity)
            Contacts[ContactCount++] = std::move(line);
        else
            keptAside.append(std::move(line));
    }
    return int(keptAside.size());
}

void replace(int index, const QString &line)
{
    Q_ASSERT(index >= 0 && index < ContactCount);
    Contacts[index] = line;
    ++changes;
}

void remove(int index)
{
    Q_ASSERT(index >= 0 && index < ContactCount);
    for (int k = index; k < ContactCount - 1; ++k)
        Contacts[k] = Contacts[k + 1];
    --ContactCount;
    ++changes;
}

void clear()
{
    ContactCount = 0;
    keptAside.clear();
    ++changes;
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

quint64 changeCount()
{
    return changes;
}

} // namespace ContactTable
