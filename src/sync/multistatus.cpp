#include "sync/multistatus.h"

#include <QUrl>
#include <QXmlStreamReader>

namespace MultiStatus {

namespace {

constexpr QStringView Dav = u"DAV:";
constexpr QStringView CardDav = u"urn:ietf:params:xml:ns:carddav";

// "HTTP/1.1 404 Not Found" gives 404.
int statusCode(const QString &line)
{
    const QStringList words = line.simplified().split(u' ');
    return words.size() >= 2 ? words[1].toInt() : 0;
}

bool isDav(const QXmlStreamReader &xml, QStringView name)
{
    return xml.namespaceUri() == Dav && xml.name() == name;
}

// One <response>: its href, status and the properties found with status 200.
Response readResponse(QXmlStreamReader &xml)
{
    Response response;
    int propStatus = 0;
    QString etag;
    QByteArray card;
    bool collection = false;
    while (xml.readNextStartElement()) {
        if (isDav(xml, u"href")) {
            // A server may write a path or a whole URL, with more or fewer
            // characters escaped: one card, one text.
            response.href =
                QUrl(xml.readElementText().trimmed(), QUrl::TolerantMode).path(QUrl::FullyEncoded);
        } else if (isDav(xml, u"status")) {
            response.status = statusCode(xml.readElementText());
        } else if (isDav(xml, u"propstat")) {
            QString foundEtag;
            QByteArray foundCard;
            bool foundCollection = false;
            int status = 0;
            while (xml.readNextStartElement()) {
                if (isDav(xml, u"status")) {
                    status = statusCode(xml.readElementText());
                } else if (isDav(xml, u"prop")) {
                    while (xml.readNextStartElement()) {
                        if (isDav(xml, u"getetag")) {
                            foundEtag = xml.readElementText().trimmed();
                        } else if (xml.namespaceUri() == CardDav && xml.name() == u"address-data") {
                            foundCard = xml.readElementText().toUtf8();
                        } else if (isDav(xml, u"sync-token")) {
                            response.syncToken = xml.readElementText().trimmed();
                        } else if (isDav(xml, u"resourcetype")) {
                            while (xml.readNextStartElement()) {
                                foundCollection |= isDav(xml, u"collection");
                                xml.skipCurrentElement();
                            }
                        } else {
                            xml.skipCurrentElement();
                        }
                    }
                } else {
                    xml.skipCurrentElement();
                }
            }
            if (status == 200) {
                propStatus = 200;
                etag = foundEtag.isEmpty() ? etag : foundEtag;
                card = foundCard.isEmpty() ? card : foundCard;
                collection |= foundCollection;
            } else if (propStatus == 0) {
                propStatus = status;
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    if (response.status == 0)
        response.status = propStatus;
    response.etag = etag;
    response.card = card;
    response.collection = collection;
    return response;
}

} // namespace

Reply parse(const QByteArray &xmlText)
{
    Reply reply;
    QXmlStreamReader xml(xmlText);
    if (!xml.readNextStartElement() || !isDav(xml, u"multistatus")) {
        reply.error = QStringLiteral("risposta del server non valida (manca multistatus)");
        return reply;
    }
    while (xml.readNextStartElement()) {
        if (isDav(xml, u"response"))
            reply.responses.append(readResponse(xml));
        else if (isDav(xml, u"sync-token"))
            reply.syncToken = xml.readElementText().trimmed();
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        reply = {};
        reply.error = QStringLiteral("risposta del server non valida (%1)").arg(xml.errorString());
    } else {
        for (const Response &response : std::as_const(reply.responses)) {
            if (reply.syncToken.isEmpty())
                reply.syncToken = response.syncToken;
            if (response.href.isEmpty()) {
                reply = {};
                reply.error = QStringLiteral("risposta del server non valida (manca href)");
                break;
            }
        }
    }
    return reply;
}

} // namespace MultiStatus
