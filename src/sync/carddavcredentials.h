#pragma once

#include <QString>

// Who a sync logs in as. The password is never written into Rubrio's own
// files nor printed.
namespace CardDavCredentials {

struct Login
{
    QString user;
    QString password;
    // Why ~/.netrc was not read, or an empty text.
    QString warning;
};

// RUBRIO_CARDDAV_USER and RUBRIO_CARDDAV_PASSWORD when set, else the
// "machine HOST login USER password PASS" entry of ~/.netrc (or its
// "default" entry). Like curl, a ~/.netrc that others may read or that
// belongs to someone else is not read: it should never have held a
// password.
Login forHost(const QString &host);

// The login from a .netrc file's text, for host; empty when none.
Login fromNetrc(const QString &text, const QString &host);

} // namespace CardDavCredentials
