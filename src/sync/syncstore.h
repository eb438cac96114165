#pragma once

#include "store/contactline.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What a sync keeps beside data.txt, whose format never changes: the
// address book's URL and sync token and, per card, its address, UID and
// ETag, the three fields as last synced and the card as last received. The
// cards are files named by their content, written before the index that
// names them; the index is replaced in one step, so a run that stops
// anywhere leaves the store as the last finished run wrote it. Written only
// under data.txt's lock.
class SyncStore
{
public:
    static inline const QString FolderName = QStringLiteral("data.sync");

    struct Entry
    {
        QString href;
        QString uid;
        QString etag;
        GlobalModule::ContactFields base; // as last synced
        QByteArray card;                  // the key of the card as last received
        // False for a card data.txt cannot hold: it lives only here, and
        // reason says why.
        bool held = true;
        QString reason;
        // Its line's place among data.txt's contacts after the last sync, or
        // -1: contacts keep their order (a deleted one's followers move up,
        // new ones come last), so a contact changed in every field is still
        // found between its neighbours.
        int line = -1;
    };

    explicit SyncStore(const QString &folder = FolderName);

    // Empty (no URL, no entries) when the folder does not exist yet.
    // Returns why it could not be read, or an empty text.
    QString load();
    // Writes the index, then removes the cards it no longer names.
    QString save();

    // Keeps bytes as a card file, unless one with the same bytes is there,
    // and gives its key; an empty key, with error, when it could not be
    // written.
    QByteArray keepCard(const QByteArray &bytes, QString &error);
    QByteArray card(const QByteArray &key) const;

    QString url;
    QString token;
    QList<Entry> entries;

private:
    QString cardPath(const QByteArray &key) const;

    QString m_folder;
};
