#pragma once

#include "store/contactline.h"

#include <QString>

#include <array>

// The program-wide contact table. The operations on it, and the data file
// behind it, are in ContactTable and DataFile.
namespace GlobalModule {

// Lines in use are Contacts[0] .. Contacts[ContactCount - 1], in the order
// they were loaded or added; the table is never sorted.
extern std::array<QString, 1001> Contacts;
extern qint16 ContactCount;

} // namespace GlobalModule
