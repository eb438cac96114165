#include "sync/syncstore.h"

#include "store/filesave.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

const QString IndexName = QStringLiteral("index.json");
const QString CardsName = QStringLiteral("cards");

} // namespace

SyncStore::SyncStore(const QString &folder) : m_folder(folder) {}

QString SyncStore::cardPath(const QByteArray &key) const
{
    return m_folder + u'/' + CardsName + u'/' + QString::fromLatin1(key) + QStringLiteral(".vcf");
}

QString SyncStore::load()
{
    url.clear();
    token.clear();
    entries.clear();
    QFile file(m_folder + u'/' + IndexName);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("impossibile leggere %1: %2")
            .arg(file.fileName(), file.errorString());
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject())
        return QStringLiteral("%1 è danneggiato: %2")
            .arg(file.fileName(), parseError.errorString());
    const QJsonObject root = document.object();
    url = root.value(u"url").toString();
    token = root.value(u"token").toString();
    for (const QJsonValue &value : root.value(u"cards").toArray()) {
        const QJsonObject object = value.toObject();
        const QJsonArray fields = object.value(u"fields").toArray();
        Entry entry;
        entry.href = object.value(u"href").toString();
        entry.uid = object.value(u"uid").toString();
        entry.etag = object.value(u"etag").toString();
        entry.base = {fields.at(0).toString(), fields.at(1).toString(), fields.at(2).toString()};
        entry.card = object.value(u"card").toString().toLatin1();
        entry.held = object.value(u"held").toBool(true);
        entry.reason = object.value(u"reason").toString();
        entry.line = object.value(u"line").toInt(-1);
        if (entry.href.isEmpty() || !QFile::exists(cardPath(entry.card)))
            return QStringLiteral("%1 è danneggiato: una scheda è incompleta").arg(file.fileName());
        entries.append(entry);
    }
    return {};
}

QString SyncStore::save()
{
    QJsonArray cards;
    QSet<QString> kept;
    for (const Entry &entry : std::as_const(entries)) {
        QJsonObject object{{u"href"_qs, entry.href},
                           {u"uid"_qs, entry.uid},
                           {u"etag"_qs, entry.etag},
                           {u"fields"_qs, QJsonArray{entry.base.lastName, entry.base.firstName,
                                                     entry.base.number}},
                           {u"card"_qs, QString::fromLatin1(entry.card)},
                           {u"line"_qs, entry.line}};
        if (!entry.held) {
            object.insert(u"held"_qs, false);
            object.insert(u"reason"_qs, entry.reason);
        }
        cards.append(object);
        kept.insert(QString::fromLatin1(entry.card) + QStringLiteral(".vcf"));
    }
    const QJsonObject root{{u"url"_qs, url}, {u"token"_qs, token}, {u"cards"_qs, cards}};
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("impossibile creare la cartella %1").arg(m_folder);
    const FileSave::Result saved =
        FileSave::write(m_folder + u'/' + IndexName, QJsonDocument(root).toJson());
    if (!saved.ok())
        return saved.error;
    // Cards no entry names any more: what an earlier version of a card was,
    // or what a run that stopped had fetched.
    QDir folder(m_folder + u'/' + CardsName);
    const QStringList names = folder.entryList({QStringLiteral("*.vcf")}, QDir::Files);
    for (const QString &name : names) {
        if (!kept.contains(name))
            folder.remove(name);
    }
    return {};
}

QByteArray SyncStore::keepCard(const QByteArray &bytes, QString &error)
{
    const QByteArray key = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    const QString path = cardPath(key);
    if (QFile::exists(path))
        return key;
    if (!QDir().mkpath(m_folder + u'/' + CardsName)) {
        error = QStringLiteral("impossibile creare la cartella %1/%2").arg(m_folder, CardsName);
        return {};
    }
    const FileSave::Result saved = FileSave::write(path, bytes);
    if (!saved.ok()) {
        error = saved.error;
        return {};
    }
    return key;
}

QByteArray SyncStore::card(const QByteArray &key) const
{
    QFile file(cardPath(key));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
