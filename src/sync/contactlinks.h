#pragma once

#include "store/contactline.h"

#include <QList>

// Which contact of data.txt is which card on the server. data.txt holds no
// identity, so a contact is found by its fields as last synced; a contact
// changed in one field by the two it kept; contacts changed in more by their
// place, since contacts keep their order (a deleted one's followers move up,
// new ones come last): the lines left between the same two neighbours where
// they stood.
namespace ContactLinks {

struct Synced
{
    GlobalModule::ContactFields fields; // as last synced
    int place = -1;                     // its line after the last sync, or -1
};

// For each synced contact, the index of its line in lines, or -1 when it
// is no longer there. No line is given to two contacts.
QList<int> link(const QList<Synced> &synced, const QList<GlobalModule::ContactFields> &lines);

} // namespace ContactLinks
