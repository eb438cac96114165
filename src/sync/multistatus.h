#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A WebDAV multistatus reply (RFC 4918) as the CardDAV requests of a sync
// get it: one entry per resource with its status, ETag and card.
namespace MultiStatus {

struct Response
{
    QString href;    // its path, escaped alike whatever form the server wrote
    int status = 0;  // of the response, else of its propstat with the ETag
    QString etag;    // empty when not given
    QByteArray card; // address-data, when asked for
    bool collection = false;
    QString syncToken; // the collection's, when a PROPFIND asked for it
};

struct Reply
{
    QList<Response> responses;
    QString syncToken; // empty when the reply carries none
    QString error;     // why the reply could not be read; responses is empty then
};

Reply parse(const QByteArray &xml);

} // namespace MultiStatus
