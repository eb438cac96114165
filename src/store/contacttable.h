#pragma once

#include "store/globalmodule.h"

#include <QStringList>

#include <tuple>

// The operations on the contact table, GlobalModule's Contacts and
// ContactCount, and the contacts a data file held beyond its capacity.
namespace ContactTable {

constexpr int Capacity = int(std::tuple_size_v<decltype(GlobalModule::Contacts)>);

// Contacts beyond the table's capacity that data.txt held: kept unchanged and
// written after the table's lines on every save, so no save drops them.
extern QStringList keptAside;

// Stores line after the last line in use; false (and nothing stored) when
// the table is full.
bool append(const QString &line);
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

} // namespace ContactTable
