#include "globalmodule.h"

namespace GlobalModule {

std::array<QString, TableSize> Contacts;
qint16 ContactCount = 0;
QStringList KeptAside;

bool AppendContact(const QString &line)
{
    if (ContactCount >= TableSize)
        return false;
    Contacts[ContactCount] = line;
    ++ContactCount;
    return true;
}

void ReplaceContact(int index, const QString &line)
{
    Q_ASSERT(index >= 0 && index < ContactCount);
    Contacts[index] = line;
}

void RemoveContact(int index)
{
    Q_ASSERT(index >= 0 && index < ContactCount);
    for (int k = index; k < ContactCount - 1; ++k)
        Contacts[k] = Contacts[k + 1];
    --ContactCount;
}

void ClearContacts()
{
    ContactCount = 0;
    KeptAside.clear();
}

int LastIndexOf(const QString &line)
{
    for (int i = ContactCount - 1; i >= 0; --i) {
        if (Contacts[i] == line)
            return i;
    }
    return -1;
}

QStringList AllContactLines()
{
    QStringList lines;
    lines.reserve(ContactCount + KeptAside.size());
    for (int i = 0; i < ContactCount; ++i)
        lines.append(Contacts[i]);
    lines += KeptAside;
    return lines;
}

} // namespace GlobalModule
