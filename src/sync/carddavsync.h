#pragma once

#include "sync/carddavclient.h"
#include "sync/syncstore.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class DataFile;

// Two-way sync of the contact table with one CardDAV address book. The
// caller holds data.txt's lock and has loaded the table; the run reads the
// server's changes, merges them field by field with the table's changes
// since the last sync, uploads what changed here, then saves data.txt and
// last the side store. A fault at any step (no connection, a timeout, a
// refused login, a server error, a reply that cannot be read) ends the run
// before anything is saved: the next run starts from the same store and
// finds what this one already did on the server.
class CardDavSync
{
public:
    struct Outcome
    {
        enum Status { InStep = 0, WithNotes = 1, Failed = 2 };
        Status status = InStep;
        QString report; // the summary and one line per conflict or card left out
        QString error;  // why it failed, when Failed
    };

    CardDavSync(DataFile &file, const QString &storeFolder = SyncStore::FolderName);
    ~CardDavSync();

    // Syncs with the address book at url, or with the one the store names
    // when url is empty; a new url for a store already linked is refused.
    Outcome run(const QString &url);

private:
    // A card as this run read it from the server.
    struct Remote
    {
        QString etag;
        GlobalModule::ContactFields fields;
        QByteArray card; // its key in the store
        QString uid;
        QString name;   // how the report names it
        QString reason; // why data.txt cannot hold it, or empty
    };
    // Ends the run before anything is saved.
    struct Fault
    {
        QString message;
    };

    QUrl checkedUrl(const QString &url);
    [[noreturn]] void fail(const CardDavClient::Reply &reply, const QString &what);
    void readChanges(QStringList &changed, QStringList &removed);
    void fetch(const QStringList &hrefs);
    Remote keep(const MultiStatus::Response &response);
    bool refetch(const QString &href, Remote &remote);
    bool confirmRemoved(const QString &href);
    Remote stored(const SyncStore::Entry &entry) const;

    void linkLocalLines();
    void syncEntry(qsizetype index, const Remote *remote, bool removed);
    void mergeWith(qsizetype index, int line, const Remote &remote, bool retried);
    void syncNewRemote(const QString &href, const Remote &remote);
    void syncNewLocal(int line);
    // False when the server answered 412: the card changed there meanwhile.
    bool upload(SyncStore::Entry &entry, const QByteArray &card, const QString &etag);
    bool addLine(qsizetype entry, const GlobalModule::ContactFields &fields);
    void notePlaces();
    void saveTable();

    void leftOut(const QString &name, const QString &reason);
    QString fullReason() const;
    QString nameOf(const GlobalModule::ContactFields &fields) const;
    void progress();

    DataFile &m_file;
    SyncStore m_store;
    std::unique_ptr<CardDavClient> m_client;
    QString m_newToken;
    QHash<QString, Remote> m_remote; // the cards fetched this run, by href

    // The table's lines in use as the run changes them, which of them an
    // entry is linked to, which go, and the lines that arrive.
    QStringList m_work;
    QList<bool> m_lineLinked;
    QList<bool> m_removedLines;
    QHash<qsizetype, int> m_lineOf; // entry -> line
    QStringList m_added;
    QHash<qsizetype, int> m_addedOf; // entry -> its line among m_added
    QSet<qsizetype> m_dropped;       // entries to forget

    int m_arrived = 0;
    int m_sent = 0;
    int m_changed = 0;
    int m_deleted = 0;
    QStringList m_notes;
    QElapsedTimer m_clock;
    int m_done = 0;
    int m_total = 0;
    bool m_progressShown = false;
    qint64 m_progressAt = 0; // when it was last shown
};
