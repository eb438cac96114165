#pragma once

#include "contactline.h"

#include <QString>
#include <QStringList>

#include <array>

// The program-wide contact table and the data file behind it.
namespace GlobalModule {

constexpr int TableSize = 1001;
inline const QString DataFileName = QStringLiteral("data.txt");

// Lines in use are Contacts[0] .. Contacts[ContactCount - 1], in the order
// they were loaded or added; the table is never sorted.
extern std::array<QString, TableSize> Contacts;
extern qint16 ContactCount;

// Contacts beyond the table's capacity that data.txt held: kept unchanged and
// written after the table's lines on every save, so no save drops them.
extern QStringList KeptAside;

// Store line after the last line in use; false (and nothing stored) when the
// table is full.
bool AppendContact(const QString &line);
void ReplaceContact(int index, const QString &line);
// Later lines move up one place; the slot that was last keeps its old text.
void RemoveContact(int index);
// Forgets the lines in use (their texts stay in the slots) and the lines kept
// aside.
void ClearContacts();
// Index of the last line in use equal to line, or -1.
int LastIndexOf(const QString &line);
// The lines in use followed by those kept aside: what a save writes.
QStringList AllContactLines();

} // namespace GlobalModule
