#pragma once

#include "store/globalmodule.h"

#include <QStringList>

#include <tuple>

// The one way to change the contact table, GlobalModule's Contacts and
// ContactCount, and the contacts a data file held beyond its capacity.
// Every change goes through here and is counted, so whoever keeps something
// made from the table can tell whether it is still current.
namespace ContactTable {

constexpr int Capacity = int(std::tuple_size_v<decltype(GlobalModule::Contacts)>);

// Contacts beyond the table's capacity that data.txt held: kept unchanged and
// written after the table's lines on every save, so no save drops them.
extern QStringList keptAside;

// Stores line after the last line in use; false (and nothing stored) when
// the table is full.
bool append(const QString &line);
// The table filled with a data file's lines: as many as it holds, the rest
// kept aside. Returns how many were kept aside.
int fill(QStringList lines);
void replace(int index, const QString &line);
// Later lines move up one place; the slot that was last keeps its old text.
void remove(int index);
// Forgets the lines in use (their texts stay in the slots) and the lines kept
// aside.
void clear();
// Index of the last line in use equal to line, or -1.
int lastIndexOf(const QString &line);
// The lines in use followed by those kept aside: what a save writes.
QStringList allLines();
// Grows with every change to the table: the same count, the same table.
quint64 changeCount();

} // namespace ContactTable
