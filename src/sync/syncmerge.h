#pragma once

#include "store/contactline.h"

#include <QStringList>

// The three-way merge of one contact's fields: what data.txt holds, what the
// server's card holds, and both as they were when last synced. A field
// changed on one side takes that side's value; the same field changed
// differently on both sides is a conflict and stays as it is on each side,
// so nobody's change is dropped without a word.
namespace SyncMerge {

struct Result
{
    GlobalModule::ContactFields local;  // what data.txt is to hold
    GlobalModule::ContactFields remote; // what the server's card is to hold
    // The fields as synced after this merge: a field in conflict keeps its
    // old value, so the conflict is found again until one side gives way.
    GlobalModule::ContactFields base;
    QStringList conflicts; // "Cognome", "Nome", "Numero": the fields in conflict
    bool conflict() const { return !conflicts.isEmpty(); }
};

Result merge(const GlobalModule::ContactFields &base, const GlobalModule::ContactFields &local,
             const GlobalModule::ContactFields &remote);

} // namespace SyncMerge
