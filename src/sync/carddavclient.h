#pragma once

#include "sync/multistatus.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>

// The requests a sync makes of one CardDAV address book (RFC 6352), each
// waited for in turn: a command-line run has nothing else to do meanwhile.
// A request that got no HTTP reply (no network, a refused or lost
// connection, a timeout) has status 0 and says why in error.
class CardDavClient
{
public:
    struct Reply
    {
        int status = 0;
        QByteArray body;
        QString etag;  // the ETag header, when given
        QString error; // why there is no reply, when status is 0
        bool untrusted = false; // no reply: the server's certificate was refused
    };

    // How long a request may go without a byte moving before it is given up.
    static constexpr std::chrono::seconds Timeout{30};

    // collection is the address book's URL, ending in "/".
    CardDavClient(const QUrl &collection, const QString &user, const QString &password);

    // The changes since token (all cards for an empty one): RFC 6578's
    // sync-collection report.
    Reply syncCollection(const QString &token);
    // Every card's address and ETag, and the collection's sync token.
    Reply listCards();
    // The cards at hrefs with their ETags: addressbook-multiget.
    Reply fetchCards(const QStringList &hrefs);
    Reply get(const QString &href);
    // A new card where none is (If-None-Match: *), or a change of the card
    // whose ETag is etag (If-Match).
    Reply put(const QString &href, const QByteArray &card, const QString &etag);
    Reply remove(const QString &href, const QString &etag);

    // The href of a new card named name in the collection.
    QString hrefFor(const QString &name) const;

private:
    Reply send(const QByteArray &verb, const QString &href, const QByteArray &body,
               const QList<std::pair<QByteArray, QByteArray>> &headers);

    QUrl m_collection;
    QNetworkAccessManager m_manager;
};
