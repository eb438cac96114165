#include "sync/carddavsync.h"

#include "sync/carddavcredentials.h"
#include "sync/cardpatch.h"
#include "exchange/contactimport.h"
#include "sync/contactlinks.h"
#include "sync/syncmerge.h"
#include "exchange/vcardproperty.h"
#include "exchange/vcardreader.h"
#include "store/contacttable.h"
#include "store/datafile.h"
#include "store/globalmodule.h"

#include <QSet>
#include <QTextStream>
#include <QUuid>

namespace {

using GlobalModule::ContactFields;

// Cards asked for in one addressbook-multiget: enough to keep the number of
// requests low, few enough that a reply of cards with photos stays small.
constexpr int FetchBatch = 50;

bool isSuccess(int status)
{
    return status >= 200 && status < 300;
}

QString lineOf(const ContactFields &fields)
{
    return GlobalModule::FormatContactLine(fields.lastName, fields.firstName, fields.number);
}

// Why data.txt cannot hold these fields as they are, or an empty text.
QString holdReason(const ContactFields &fields)
{
    const QString refusal =
        ContactImport::refusal(fields.lastName, fields.firstName, fields.number);
    if (!refusal.isEmpty())
        return refusal;
    if (ContactLine::fieldsOf(lineOf(fields)) != fields)
        return QStringLiteral("Gli spazi all'inizio o alla fine di un campo andrebbero persi.");
    return {};
}

QString uidOf(const QByteArray &card)
{
    for (const QByteArray &line : card.split('\n')) {
        VCardProperty property;
        if (VCardProperty::parse(QByteArrayView(line).trimmed(), property) &&
            property.name == "UID")
            return QString::fromUtf8(property.value.trimmed());
    }
    return {};
}

// The UID a card is known by, or a new one for a card that came without.
QString uidFor(const SyncStore::Entry &entry)
{
    return entry.uid.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : entry.uid;
}

} // namespace

CardDavSync::CardDavSync(DataFile &file, const QString &storeFolder)
    : m_file(file), m_store(storeFolder)
{
}

CardDavSync::~CardDavSync() = default;

QString CardDavSync::nameOf(const ContactFields &fields) const
{
    return QStringList{fields.lastName, fields.firstName}.join(u' ').trimmed();
}

QUrl CardDavSync::checkedUrl(const QString &argument)
{
    QString text = argument.isEmpty() ? m_store.url : argument;
    if (text.isEmpty())
        throw Fault{QStringLiteral("data.txt non è ancora collegato a una rubrica: indicare "
                                   "l'indirizzo, rubrio --sync URL.")};
    if (!text.endsWith(u'/'))
        text.append(u'/');
    if (!m_store.url.isEmpty() && QUrl(text) != QUrl(m_store.url))
        throw Fault{QStringLiteral("data.txt è già collegato a %1: per collegarlo a un'altra "
                                   "rubrica togliere prima la cartella %2.")
                        .arg(m_store.url, SyncStore::FolderName)};
    const QUrl url(text, QUrl::StrictMode);
    const QString host = url.host();
    const bool local = host == u"127.0.0.1" || host == u"localhost" || host == u"::1";
    if (!url.isValid() || host.isEmpty())
        throw Fault{QStringLiteral("%1 non è un indirizzo valido.").arg(argument)};
    if (!url.userInfo().isEmpty())
        throw Fault{QStringLiteral("l'indirizzo non deve contenere nome utente o password: "
                                   "vanno in ~/.netrc o in RUBRIO_CARDDAV_USER e "
                                   "RUBRIO_CARDDAV_PASSWORD.")};
    if (url.scheme() != u"https" && !(url.scheme() == u"http" && local))
        throw Fault{QStringLiteral("%1: serve un indirizzo https:// (http:// è accettato solo "
                                   "per 127.0.0.1 e localhost).")
                        .arg(url.toString())};
    return url;
}

void CardDavSync::fail(const CardDavClient::Reply &reply, const QString &what)
{
    if (reply.untrusted)
        throw Fault{QStringLiteral("%1: il certificato del server non è valido per questo "
                                   "sistema (%2); nome utente e password non sono stati inviati.")
                        .arg(what, reply.error)};
    if (reply.status == 0)
        throw Fault{QStringLiteral("%1: nessuna risposta dal server (%2).").arg(what, reply.error)};
    if (reply.status == 401)
        throw Fault{QStringLiteral("%1: il server non ha accettato nome utente e password (401). "
                                   "Controllare ~/.netrc o RUBRIO_CARDDAV_USER e "
                                   "RUBRIO_CARDDAV_PASSWORD.")
                        .arg(what)};
    throw Fault{QStringLiteral("%1: il server ha risposto %2.").arg(what).arg(reply.status)};
}

void CardDavSync::progress()
{
    ++m_done;
    // Shown from the second second on, a few times a second.
    if (m_clock.elapsed() < 1000 || m_total == 0 ||
        (m_progressShown && m_clock.elapsed() - m_progressAt < 200 && m_done < m_total))
        return;
    m_progressAt = m_clock.elapsed();
    QTextStream(stderr)
        << QStringLiteral("\rSincronizzazione: %1 di %2").arg(qMin(m_done, m_total)).arg(m_total);
    m_progressShown = true;
}

void CardDavSync::readChanges(QStringList &changed, QStringList &removed)
{
    QHash<QString, QString> etags;
    for (const SyncStore::Entry &entry : std::as_const(m_store.entries))
        etags.insert(entry.href, entry.etag);
    const QString collection = m_client->hrefFor({});
    const auto isCollection = [&](const MultiStatus::Response &response) {
        return response.collection || QUrl(response.href).path() == QUrl(collection).path();
    };

    CardDavClient::Reply reply = m_client->syncCollection(m_store.token);
    const bool refused = reply.status == 400 || reply.status == 403 || reply.status == 404 ||
                         reply.status == 405 || reply.status == 409 || reply.status == 412 ||
                         reply.status == 415 || reply.status == 422 || reply.status == 501;
    if (refused) // the token expired, or the server has no sync-collection
        reply = m_client->listCards();
    if (reply.status != 207)
        fail(reply, QStringLiteral("lettura della rubrica"));
    const MultiStatus::Reply status = MultiStatus::parse(reply.body);
    if (!status.error.isEmpty())
        throw Fault{QStringLiteral("lettura della rubrica: %1.").arg(status.error)};
    m_newToken = status.syncToken;
    QSet<QString> present;
    for (const MultiStatus::Response &response : status.responses) {
        if (isCollection(response))
            continue;
        if (response.status == 404 || response.status == 410) {
            if (etags.contains(response.href))
                removed.append(response.href);
        } else if (response.status == 200) {
            present.insert(response.href);
            if (etags.value(response.href) != response.etag || response.etag.isEmpty())
                changed.append(response.href);
        }
    }
    if (refused) {
        for (const SyncStore::Entry &entry : std::as_const(m_store.entries)) {
            if (!present.contains(entry.href))
                removed.append(entry.href);
        }
    }
}

CardDavSync::Remote CardDavSync::keep(const MultiStatus::Response &response)
{
    Remote remote;
    QString error;
    remote.card = m_store.keepCard(response.card, error);
    if (remote.card.isEmpty())
        throw Fault{
            QStringLiteral("impossibile scrivere in %1: %2.").arg(SyncStore::FolderName, error)};
    const VCardReader::Card card = VCardReader::parse(response.card).value(0);
    remote.etag = response.etag;
    remote.fields = {card.lastName, card.firstName, card.number};
    remote.uid = uidOf(response.card);
    remote.name = nameOf(remote.fields).isEmpty() ? response.href : nameOf(remote.fields);
    remote.reason = holdReason(remote.fields);
    return remote;
}

void CardDavSync::fetch(const QStringList &hrefs)
{
    for (qsizetype start = 0; start < hrefs.size(); start += FetchBatch) {
        const QStringList batch = hrefs.mid(start, FetchBatch);
        const CardDavClient::Reply reply = m_client->fetchCards(batch);
        if (reply.status != 207)
            fail(reply, QStringLiteral("lettura delle schede"));
        const MultiStatus::Reply status = MultiStatus::parse(reply.body);
        if (!status.error.isEmpty())
            throw Fault{QStringLiteral("lettura delle schede: %1.").arg(status.error)};
        for (const MultiStatus::Response &response : status.responses) {
            if (response.status == 200 && !response.card.isEmpty())
                m_remote.insert(response.href, keep(response));
            progress();
        }
    }
}

bool CardDavSync::refetch(const QString &href, Remote &remote)
{
    m_remote.remove(href);
    fetch({href});
    if (!m_remote.contains(href))
        return false;
    remote = m_remote.value(href);
    return true;
}

bool CardDavSync::confirmRemoved(const QString &href)
{
    const CardDavClient::Reply reply = m_client->get(href);
    if (reply.status == 404 || reply.status == 410)
        return true;
    if (!isSuccess(reply.status))
        fail(reply, QStringLiteral("verifica di una scheda eliminata"));
    return false;
}

void CardDavSync::linkLocalLines()
{
    const int count = GlobalModule::ContactCount;
    m_work.clear();
    QList<ContactFields> fields;
    for (int i = 0; i < count; ++i) {
        m_work.append(GlobalModule::Contacts[i]);
        fields.append(ContactLine::fieldsOf(m_work[i]));
    }
    m_lineLinked = QList<bool>(count, false);
    QList<ContactLinks::Synced> synced;
    QList<qsizetype> entryOf;
    for (qsizetype e = 0; e < m_store.entries.size(); ++e) {
        const SyncStore::Entry &entry = m_store.entries[e];
        if (entry.held) {
            synced.append({entry.base, entry.line});
            entryOf.append(e);
        }
    }
    const QList<int> links = ContactLinks::link(synced, fields);
    for (qsizetype c = 0; c < links.size(); ++c) {
        if (links[c] >= 0) {
            m_lineLinked[links[c]] = true;
            m_lineOf.insert(entryOf[c], links[c]);
        }
    }
}

// Where each entry's line stands in the table as saved, for the next run's
// ContactLinks.
void CardDavSync::notePlaces()
{
    QList<int> placeOf(m_work.size(), -1);
    int kept = 0;
    for (qsizetype i = 0; i < m_work.size(); ++i) {
        if (!m_removedLines[i])
            placeOf[i] = kept++;
    }
    for (qsizetype e = 0; e < m_store.entries.size(); ++e) {
        SyncStore::Entry &entry = m_store.entries[e];
        entry.line = -1;
        if (!entry.held)
            continue;
        if (m_lineOf.contains(e))
            entry.line = placeOf.value(m_lineOf.value(e), -1);
        else if (m_addedOf.contains(e))
            entry.line = kept + m_addedOf.value(e);
    }
}

bool CardDavSync::upload(SyncStore::Entry &entry, const QByteArray &card, const QString &etag)
{
    const CardDavClient::Reply reply = m_client->put(entry.href, card, etag);
    if (reply.status == 412)
        return false;
    if (!isSuccess(reply.status))
        fail(reply, QStringLiteral("invio di %1").arg(nameOf(entry.base)));
    QString error;
    entry.card = m_store.keepCard(card, error);
    if (entry.card.isEmpty())
        throw Fault{
            QStringLiteral("impossibile scrivere in %1: %2.").arg(SyncStore::FolderName, error)};
    entry.etag = reply.etag;
    if (entry.etag.isEmpty()) { // the server did not say: ask
        const CardDavClient::Reply got = m_client->get(entry.href);
        if (!isSuccess(got.status))
            fail(got, QStringLiteral("invio di %1").arg(nameOf(entry.base)));
        entry.etag = got.etag;
    }
    return true;
}

CardDavSync::Remote CardDavSync::stored(const SyncStore::Entry &entry) const
{
    const VCardReader::Card card = VCardReader::parse(m_store.card(entry.card)).value(0);
    Remote remote;
    remote.etag = entry.etag;
    remote.card = entry.card;
    remote.fields = {card.lastName, card.firstName, card.number};
    remote.uid = entry.uid;
    return remote;
}

void CardDavSync::leftOut(const QString &name, const QString &reason)
{
    m_notes.append(QStringLiteral("%1: tenuto solo in %2, non in data.txt. %3")
                       .arg(name, SyncStore::FolderName, reason));
}

bool CardDavSync::addLine(qsizetype entry, const ContactFields &fields)
{
    const qsizetype inUse = m_work.size() - m_removedLines.count(true) + m_added.size();
    if (inUse >= ContactTable::Capacity)
        return false;
    m_addedOf.insert(entry, int(m_added.size()));
    m_added.append(lineOf(fields));
    return true;
}

void CardDavSync::mergeWith(qsizetype index, int line, const Remote &remote, bool retried)
{
    SyncStore::Entry &entry = m_store.entries[index];
    const ContactFields local = ContactLine::fieldsOf(m_work[line]);
    const SyncMerge::Result merged = SyncMerge::merge(entry.base, local, remote.fields);
    if (merged.remote != remote.fields) {
        const QByteArray card =
            CardPatch::apply(m_store.card(remote.card), merged.remote, uidFor(entry));
        SyncStore::Entry updated = entry;
        if (!upload(updated, card, remote.etag)) {
            // Changed on the server since it was read: read it again and
            // merge once more.
            Remote newer;
            if (!retried && refetch(entry.href, newer)) {
                mergeWith(index, line, newer, true);
            } else {
                m_notes.append(QStringLiteral("%1: cambiato sul server durante la "
                                              "sincronizzazione; sarà ripreso alla prossima.")
                                   .arg(nameOf(local)));
            }
            return;
        }
        entry.card = updated.card;
        entry.etag = updated.etag;
    } else {
        entry.card = remote.card;
        entry.etag = remote.etag;
    }
    if (!remote.uid.isEmpty())
        entry.uid = remote.uid;
    if (merged.local != local)
        m_work[line] = lineOf(merged.local);
    entry.base = merged.base;
    if (merged.local != local || merged.remote != remote.fields)
        ++m_changed;
    using Field = QString ContactFields::*;
    const std::pair<QString, Field> fields[] = {
        {QStringLiteral("Cognome"), &ContactFields::lastName},
        {QStringLiteral("Nome"), &ContactFields::firstName},
        {QStringLiteral("Numero"), &ContactFields::number}};
    for (const auto &[label, field] : fields) {
        if (merged.conflicts.contains(label))
            m_notes.append(
                QStringLiteral("Conflitto su %1: %2 «%3» in data.txt, «%4» sul server; "
                               "lasciato com'è da entrambe le parti.")
                    .arg(nameOf(merged.local), label, merged.local.*field, merged.remote.*field));
    }
}

void CardDavSync::syncEntry(qsizetype index, const Remote *remote, bool removed)
{
    SyncStore::Entry &entry = m_store.entries[index];
    const int line = m_lineOf.value(index, -1);
    if (!entry.held) {
        if (removed) {
            m_dropped.insert(index);
            return;
        }
        if (remote) {
            entry.etag = remote->etag;
            entry.card = remote->card;
            entry.base = remote->fields;
            entry.reason = remote->reason;
        }
        // A card left out only for want of room comes in once there is some.
        if (entry.reason.isEmpty() || entry.reason == fullReason()) {
            if (addLine(index, entry.base)) {
                entry.held = true;
                entry.reason.clear();
                ++m_arrived;
                return;
            }
            entry.reason = fullReason();
        }
        leftOut(nameOf(entry.base), entry.reason);
        return;
    }
    if (removed) {
        const ContactFields local = line >= 0 ? ContactLine::fieldsOf(m_work[line]) : entry.base;
        if (local != entry.base) {
            // Deleted there, changed here: the contact comes back with the
            // change, in the card as last received.
            SyncStore::Entry updated = entry;
            if (upload(updated, CardPatch::apply(m_store.card(entry.card), local, uidFor(entry)),
                       {})) {
                updated.base = local;
                entry = updated;
                ++m_sent;
                m_notes.append(QStringLiteral("%1: eliminato sul server ma cambiato in data.txt: "
                                              "inviato di nuovo.")
                                   .arg(nameOf(local)));
            }
            return;
        }
        if (line >= 0) {
            m_removedLines[line] = true;
            ++m_deleted;
        }
        m_dropped.insert(index);
        return;
    }
    if (remote) {
        if (line < 0) {
            // Deleted here, changed there: it comes back with the change.
            entry.etag = remote->etag;
            entry.card = remote->card;
            entry.base = remote->fields;
            if (remote->reason.isEmpty() && addLine(index, remote->fields)) {
                ++m_changed;
                m_notes.append(QStringLiteral("%1: eliminato in data.txt ma cambiato sul server: "
                                              "è tornato.")
                                   .arg(nameOf(remote->fields)));
            } else {
                entry.held = false;
                entry.reason = remote->reason.isEmpty() ? fullReason() : remote->reason;
                leftOut(nameOf(remote->fields), entry.reason);
            }
            return;
        }
        if (!remote->reason.isEmpty()) {
            if (ContactLine::fieldsOf(m_work[line]) == entry.base) {
                m_removedLines[line] = true;
                entry.etag = remote->etag;
                entry.card = remote->card;
                entry.base = remote->fields;
                entry.held = false;
                entry.reason = remote->reason;
                leftOut(remote->name, remote->reason);
            } else {
                m_notes.append(
                    QStringLiteral("Conflitto su %1: cambiato in data.txt e sul server, "
                                   "dove data.txt non può tenerlo (%2); lasciato com'è "
                                   "da entrambe le parti.")
                        .arg(nameOf(ContactLine::fieldsOf(m_work[line])), remote->reason));
            }
            return;
        }
        mergeWith(index, line, *remote, false);
        return;
    }
    if (line < 0) {
        const CardDavClient::Reply reply = m_client->remove(entry.href, entry.etag);
        if (reply.status == 412) {
            Remote newer;
            if (refetch(entry.href, newer))
                syncEntry(index, &newer, false);
            else
                m_dropped.insert(index);
            return;
        }
        if (!isSuccess(reply.status) && reply.status != 404 && reply.status != 410)
            fail(reply, QStringLiteral("eliminazione di %1").arg(nameOf(entry.base)));
        ++m_deleted;
        m_dropped.insert(index);
        return;
    }
    if (ContactLine::fieldsOf(m_work[line]) != entry.base)
        mergeWith(index, line, stored(entry), false);
}

void CardDavSync::syncNewRemote(const QString &href, const Remote &remote)
{
    SyncStore::Entry entry;
    entry.href = href;
    entry.uid = remote.uid;
    entry.etag = remote.etag;
    entry.base = remote.fields;
    entry.card = remote.card;
    if (remote.reason.isEmpty()) {
        // The same contact already here, not yet linked (added on both
        // sides, or sent by a run that stopped before it saved): linked.
        const QString line = lineOf(remote.fields);
        for (qsizetype i = 0; i < m_work.size(); ++i) {
            if (!m_lineLinked[i] && ContactLine::fieldsOf(m_work[i]) == remote.fields) {
                m_lineLinked[i] = true;
                m_lineOf.insert(m_store.entries.size(), int(i));
                m_store.entries.append(entry);
                return;
            }
        }
        if (addLine(m_store.entries.size(), remote.fields)) {
            ++m_arrived;
            m_store.entries.append(entry);
            return;
        }
    }
    entry.held = false;
    entry.reason = remote.reason.isEmpty() ? fullReason() : remote.reason;
    leftOut(remote.name, entry.reason);
    m_store.entries.append(entry);
}

void CardDavSync::syncNewLocal(int line)
{
    const ContactFields fields = ContactLine::fieldsOf(m_work[line]);
    const QString reason = holdReason(fields);
    if (!reason.isEmpty()) {
        m_notes.append(
            QStringLiteral("Riga %1 di data.txt: non inviata. %2").arg(line + 1).arg(reason));
        return;
    }
    SyncStore::Entry entry;
    entry.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    entry.href = m_client->hrefFor(entry.uid + QStringLiteral(".vcf"));
    entry.base = fields;
    if (!upload(entry, CardPatch::create(fields, entry.uid), {})) {
        m_notes.append(QStringLiteral("%1: non inviato, il server ha già una scheda con quel nome; "
                                      "sarà ripreso alla prossima.")
                           .arg(nameOf(fields)));
        return;
    }
    ++m_sent;
    m_lineOf.insert(m_store.entries.size(), line);
    m_store.entries.append(entry);
}

QString CardDavSync::fullReason() const
{
    return QStringLiteral("L'elenco è pieno (%1 contatti).").arg(ContactTable::Capacity);
}

void CardDavSync::saveTable()
{
    bool changed = !m_added.isEmpty() || m_removedLines.contains(true);
    QStringList lines;
    for (qsizetype i = 0; i < m_work.size(); ++i) {
        changed = changed || m_work[i] != GlobalModule::Contacts[i];
        if (!m_removedLines[i])
            lines.append(m_work[i]);
    }
    if (!changed)
        return;
    lines += m_added;
    lines += ContactTable::keptAside;
    ContactTable::fill(lines);
    const DataFile::SaveResult saved = m_file.save();
    if (!saved.ok())
        throw Fault{saved.report(QStringLiteral("la sincronizzazione"))};
}

CardDavSync::Outcome CardDavSync::run(const QString &url)
{
    m_clock.start();
    Outcome outcome;
    try {
        const QString loadError = m_store.load();
        if (!loadError.isEmpty())
            throw Fault{loadError + u'.'};
        const QUrl collection = checkedUrl(url);
        const CardDavCredentials::Login login = CardDavCredentials::forHost(collection.host());
        if (!login.warning.isEmpty())
            QTextStream(stderr) << "rubrio: " << login.warning << '\n';
        m_client = std::make_unique<CardDavClient>(collection, login.user, login.password);

        QStringList changed;
        QStringList removed;
        readChanges(changed, removed);
        m_total = int(changed.size()) + GlobalModule::ContactCount;
        fetch(changed);
        QStringList existing;
        QSet<QString> confirmed;
        for (const QString &href : std::as_const(removed)) {
            if (confirmRemoved(href))
                confirmed.insert(href);
            else
                existing.append(href);
        }
        fetch(existing);

        linkLocalLines();
        m_removedLines = QList<bool>(m_work.size(), false);
        QSet<QString> known;
        const qsizetype entries = m_store.entries.size();
        for (qsizetype e = 0; e < entries; ++e) {
            const QString href = m_store.entries[e].href;
            known.insert(href);
            const auto found = m_remote.constFind(href);
            syncEntry(e, found == m_remote.constEnd() ? nullptr : &*found,
                      confirmed.contains(href));
        }
        for (const QString &href : std::as_const(changed)) {
            if (!known.contains(href) && m_remote.contains(href))
                syncNewRemote(href, m_remote.value(href));
        }
        for (int i = 0; i < int(m_work.size()); ++i) {
            if (!m_lineLinked[i]) {
                syncNewLocal(i);
                progress();
            }
        }

        saveTable();
        notePlaces();
        QList<qsizetype> dropped(m_dropped.begin(), m_dropped.end());
        std::sort(dropped.begin(), dropped.end(), std::greater<>());
        for (const qsizetype e : std::as_const(dropped))
            m_store.entries.removeAt(e);
        m_store.url = collection.toString();
        m_store.token = m_newToken;
        const QString storeError = m_store.save();
        if (!storeError.isEmpty())
            throw Fault{QStringLiteral("impossibile scrivere %1 (%2): la prossima sincronizzazione "
                                       "riprenderà da dove era rimasta l'ultima.")
                            .arg(SyncStore::FolderName, storeError)};
        QStringList lines{QStringLiteral("Sincronizzato con %1: %2 contatti arrivati, %3 inviati, "
                                         "%4 modificati, %5 eliminati.")
                              .arg(collection.toString())
                              .arg(m_arrived)
                              .arg(m_sent)
                              .arg(m_changed)
                              .arg(m_deleted)};
        // In the same order on every run, whatever order the server lists
        // its cards in.
        m_notes.sort();
        lines += m_notes;
        outcome.report = lines.join(u'\n');
        outcome.status = m_notes.isEmpty() ? Outcome::InStep : Outcome::WithNotes;
    } catch (const Fault &fault) {
        outcome.status = Outcome::Failed;
        outcome.error = fault.message;
    }
    if (m_progressShown)
        QTextStream(stderr) << '\n';
    return outcome;
}
