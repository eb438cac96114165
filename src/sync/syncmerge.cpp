#include "sync/syncmerge.h"

namespace SyncMerge {

namespace {

void mergeField(QString GlobalModule::ContactFields::*field, const QString &label,
                const GlobalModule::ContactFields &base, const GlobalModule::ContactFields &local,
                const GlobalModule::ContactFields &remote, Result &result)
{
    const QString &was = base.*field;
    const QString &here = local.*field;
    const QString &there = remote.*field;
    if (here == there || there == was) {
        result.local.*field = here;
        result.remote.*field = here;
        result.base.*field = here;
    } else if (here == was) {
        result.local.*field = there;
        result.remote.*field = there;
        result.base.*field = there;
    } else {
        result.local.*field = here;
        result.remote.*field = there;
        result.base.*field = was;
        result.conflicts.append(label);
    }
}

} // namespace

Result merge(const GlobalModule::ContactFields &base, const GlobalModule::ContactFields &local,
             const GlobalModule::ContactFields &remote)
{
    using Fields = GlobalModule::ContactFields;
    Result result;
    mergeField(&Fields::lastName, QStringLiteral("Cognome"), base, local, remote, result);
    mergeField(&Fields::firstName, QStringLiteral("Nome"), base, local, remote, result);
    mergeField(&Fields::number, QStringLiteral("Numero"), base, local, remote, result);
    return result;
}

} // namespace SyncMerge
