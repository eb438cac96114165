#include "sync/carddavclient.h"

#include <QAuthenticator>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QXmlStreamWriter>

namespace {

constexpr QStringView Dav = u"DAV:";
constexpr QStringView CardDav = u"urn:ietf:params:xml:ns:carddav";

// A report's body: the root element in its namespace, what before writes,
// the properties a sync reads, then the hrefs asked for.
template <typename Fill>
QByteArray requestBody(QStringView ns, const QString &root, bool withCard, Fill before,
                       const QStringList &hrefs = {})
{
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.writeStartDocument();
    xml.writeNamespace(Dav.toString(), QStringLiteral("d"));
    xml.writeNamespace(CardDav.toString(), QStringLiteral("c"));
    xml.writeStartElement(ns.toString(), root);
    before(xml);
    xml.writeStartElement(Dav.toString(), QStringLiteral("prop"));
    xml.writeEmptyElement(Dav.toString(), QStringLiteral("getetag"));
    if (withCard)
        xml.writeEmptyElement(CardDav.toString(), QStringLiteral("address-data"));
    else
        xml.writeEmptyElement(Dav.toString(), QStringLiteral("resourcetype"));
    xml.writeEndElement();
    for (const QString &href : hrefs)
        xml.writeTextElement(Dav.toString(), QStringLiteral("href"), href);
    xml.writeEndElement();
    xml.writeEndDocument();
    return body;
}

} // namespace

CardDavClient::CardDavClient(const QUrl &collection, const QString &user, const QString &password)
    : m_collection(collection)
{
    m_manager.setAutoDeleteReplies(true);
    // Qt answers the server's challenge in the scheme it asks for (Basic,
    // or Digest as some servers want) and sends the login unasked from then
    // on. A login is given once per request, and only to the address book's
    // own server: asked again, the server refused it, and the reply is its
    // 401; a redirect elsewhere gets none.
    QObject::connect(&m_manager, &QNetworkAccessManager::authenticationRequired, &m_manager,
                     [collection, user, password](QNetworkReply *reply,
                                                  QAuthenticator *authenticator) {
                         const QUrl asking = reply->url();
                         if (user.isEmpty() || reply->property("loginGiven").toBool() ||
                             asking.scheme() != collection.scheme() ||
                             asking.host() != collection.host() ||
                             asking.port() != collection.port())
                             return;
                         reply->setProperty("loginGiven", true);
                         authenticator->setUser(user);
                         authenticator->setPassword(password);
                     });
}

QString CardDavClient::hrefFor(const QString &name) const
{
    return m_collection.path(QUrl::FullyEncoded) +
           QString::fromLatin1(QUrl::toPercentEncoding(name));
}

CardDavClient::Reply CardDavClient::syncCollection(const QString &token)
{
    const QByteArray body =
        requestBody(Dav, QStringLiteral("sync-collection"), false, [&](QXmlStreamWriter &xml) {
            xml.writeTextElement(Dav.toString(), QStringLiteral("sync-token"), token);
            xml.writeTextElement(Dav.toString(), QStringLiteral("sync-level"), QStringLiteral("1"));
        });
    return send("REPORT", {}, body, {{"Depth", "0"}});
}

CardDavClient::Reply CardDavClient::listCards()
{
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.writeStartDocument();
    xml.writeNamespace(Dav.toString(), QStringLiteral("d"));
    xml.writeStartElement(Dav.toString(), QStringLiteral("propfind"));
    xml.writeStartElement(Dav.toString(), QStringLiteral("prop"));
    xml.writeEmptyElement(Dav.toString(), QStringLiteral("getetag"));
    xml.writeEmptyElement(Dav.toString(), QStringLiteral("resourcetype"));
    xml.writeEmptyElement(Dav.toString(), QStringLiteral("sync-token"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return send("PROPFIND", {}, body, {{"Depth", "1"}});
}

CardDavClient::Reply CardDavClient::fetchCards(const QStringList &hrefs)
{
    const QByteArray body = requestBody(
        CardDav, QStringLiteral("addressbook-multiget"), true, [](QXmlStreamWriter &) {}, hrefs);
    return send("REPORT", {}, body, {{"Depth", "1"}});
}

CardDavClient::Reply CardDavClient::get(const QString &href)
{
    return send("GET", href, {}, {});
}

CardDavClient::Reply CardDavClient::put(const QString &href, const QByteArray &card,
                                        const QString &etag)
{
    QList<std::pair<QByteArray, QByteArray>> headers{{"Content-Type", "text/vcard; charset=utf-8"}};
    if (etag.isEmpty())
        headers.append(std::pair<QByteArray, QByteArray>("If-None-Match", "*"));
    else
        headers.append(std::pair<QByteArray, QByteArray>("If-Match", etag.toUtf8()));
    return send("PUT", href, card, headers);
}

CardDavClient::Reply CardDavClient::remove(const QString &href, const QString &etag)
{
    return send("DELETE", href, {}, {{"If-Match", etag.toUtf8()}});
}

CardDavClient::Reply CardDavClient::send(const QByteArray &verb, const QString &href,
                                         const QByteArray &body,
                                         const QList<std::pair<QByteArray, QByteArray>> &headers)
{
    QNetworkRequest request(href.isEmpty() ? m_collection
                                           : m_collection.resolved(QUrl(href, QUrl::StrictMode)));
    request.setTransferTimeout(int(std::chrono::milliseconds(Timeout).count()));
    for (const auto &[name, value] : headers)
        request.setRawHeader(name, value);
    if (!body.isEmpty() && !request.hasRawHeader("Content-Type"))
        request.setRawHeader("Content-Type", "application/xml; charset=utf-8");

    QNetworkReply *reply = m_manager.sendCustomRequest(request, verb, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    Reply result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->readAll();
    result.etag = QString::fromUtf8(reply->rawHeader("ETag"));
    if (result.status == 0) {
        result.error = reply->errorString();
        result.untrusted = reply->error() == QNetworkReply::SslHandshakeFailedError;
    }
    return result;
}
