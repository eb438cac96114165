#include "sync/cardpatch.h"
#include "sync/contactlinks.h"
#include "sync/multistatus.h"
#include "sync/syncmerge.h"
#include "exchange/vcardreader.h"

#include <QTest>

using GlobalModule::ContactFields;

namespace {

ContactFields fields(const QString &text)
{
    const QStringList parts = text.split(u'|');
    return {parts.value(0), parts.value(1), parts.value(2)};
}

QByteArray crlf(const char *text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

} // namespace

// The three-way merge of a contact's fields and the patch that puts them
// into the card as the server last sent it.
class TestSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void merge_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("remote");
        QTest::addColumn<QString>("mergedLocal");
        QTest::addColumn<QString>("mergedRemote");
        QTest::addColumn<QString>("mergedBase");
        QTest::addColumn<QStringList>("conflicts");
        QTest::newRow("nothing changed") << "Rossi|Anna|1"
                                         << "Rossi|Anna|1"
                                         << "Rossi|Anna|1"
                                         << "Rossi|Anna|1"
                                         << "Rossi|Anna|1"
                                         << "Rossi|Anna|1" << QStringList{};
        QTest::newRow("changed here") << "Rossi|Anna|1"
                                      << "Rossi|Anna|2"
                                      << "Rossi|Anna|1"
                                      << "Rossi|Anna|2"
                                      << "Rossi|Anna|2"
                                      << "Rossi|Anna|2" << QStringList{};
        QTest::newRow("changed there") << "Rossi|Anna|1"
                                       << "Rossi|Anna|1"
                                       << "Rossa|Anna|1"
                                       << "Rossa|Anna|1"
                                       << "Rossa|Anna|1"
                                       << "Rossa|Anna|1" << QStringList{};
        QTest::newRow("different fields on each side") << "Rossi|Anna|1"
                                                       << "Rossi|Annina|1"
                                                       << "Rossi|Anna|2"
                                                       << "Rossi|Annina|2"
                                                       << "Rossi|Annina|2"
                                                       << "Rossi|Annina|2" << QStringList{};
        QTest::newRow("same change on both sides") << "Rossi|Anna|1"
                                                   << "Rossi|Anna|2"
                                                   << "Rossi|Anna|2"
                                                   << "Rossi|Anna|2"
                                                   << "Rossi|Anna|2"
                                                   << "Rossi|Anna|2" << QStringList{};
        QTest::newRow("conflict: each side keeps its own, the base stays")
            << "Rossi|Anna|1"
            << "Rossi|Anna|2"
            << "Rossi|Anna|3"
            << "Rossi|Anna|2"
            << "Rossi|Anna|3"
            << "Rossi|Anna|1" << QStringList{"Numero"};
        QTest::newRow("conflict in one field, the other merged")
            << "Rossi|Anna|1"
            << "Bianchi|Anna|2"
            << "Verdi|Anna|1"
            << "Bianchi|Anna|2"
            << "Verdi|Anna|2"
            << "Rossi|Anna|2" << QStringList{"Cognome"};
        QTest::newRow("conflict in every field")
            << "Rossi|Anna|1"
            << "Bianchi|Bice|2"
            << "Verdi|Vera|3"
            << "Bianchi|Bice|2"
            << "Verdi|Vera|3"
            << "Rossi|Anna|1" << QStringList{"Cognome", "Nome", "Numero"};
    }
    void merge()
    {
        QFETCH(QString, base);
        QFETCH(QString, local);
        QFETCH(QString, remote);
        QFETCH(QString, mergedLocal);
        QFETCH(QString, mergedRemote);
        QFETCH(QString, mergedBase);
        QFETCH(QStringList, conflicts);
        const SyncMerge::Result result =
            SyncMerge::merge(fields(base), fields(local), fields(remote));
        QCOMPARE(result.local, fields(mergedLocal));
        QCOMPARE(result.remote, fields(mergedRemote));
        QCOMPARE(result.base, fields(mergedBase));
        QCOMPARE(result.conflicts, conflicts);
    }

    // Which line of data.txt each contact synced last time is now.
    void links_data()
    {
        QTest::addColumn<QStringList>("synced"); // fields@place after the last sync
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("links");
        const QStringList three{"Abati|Ada|1@0", "Bruni|Bice|2@1", "Conti|Ciro|3@2"};
        QTest::newRow("unchanged")
            << three << QStringList{"Abati|Ada|1", "Bruni|Bice|2", "Conti|Ciro|3"}
            << QList<int>{0, 1, 2};
        QTest::newRow("one deleted, one added at the end")
            << three << QStringList{"Abati|Ada|1", "Conti|Ciro|3", "Dini|Dora|4"}
            << QList<int>{0, -1, 1};
        QTest::newRow("one field changed: found by the other two")
            << three << QStringList{"Abati|Ada|1", "Bruni|Bice|9", "Conti|Ciro|3"}
            << QList<int>{0, 1, 2};
        QTest::newRow("every field changed: found by its place")
            << three << QStringList{"Abati|Ada|1", "Zeta|Zoe|9", "Conti|Ciro|3"}
            << QList<int>{0, 1, 2};
        QTest::newRow("every field changed, last in the file, with a new one after it")
            << three << QStringList{"Abati|Ada|1", "Bruni|Bice|2", "Zeta|Zoe|9", "Dini|Dora|4"}
            << QList<int>{0, 1, -1};
        QTest::newRow("two neighbours changed in every field: found in order")
            << three << QStringList{"Abati|Ada|1", "Zeta|Zoe|9", "Yuri|Yao|8"}
            << QList<int>{0, 1, 2};
        QTest::newRow("two changed in two fields, a new one after them: by the field each kept")
            << three << QStringList{"Abati|Ada|1", "Bruno|Bice|7", "Conte|Ciro|8", "Dini|Dora|4"}
            << QList<int>{0, 1, 2};
        QTest::newRow("one changed, its neighbour deleted: no guess")
            << three << QStringList{"Zeta|Zoe|9", "Conti|Ciro|3"} << QList<int>{-1, -1, 1};
        QTest::newRow("one changed in two fields, its neighbour deleted: by the field it kept")
            << three << QStringList{"Zeta|Ada|9", "Conti|Ciro|3"} << QList<int>{0, -1, 1};
        QTest::newRow("a field two free lines share: no guess")
            << three << QStringList{"Abati|Ada|1", "Zeta|Bice|9", "Yuri|Bice|8", "Dini|Dora|4"}
            << QList<int>{0, -1, -1};
        QTest::newRow("empty fields are not alike")
            << QStringList{"Bruni||@0"} << QStringList{"Dini|Dora|", "Zeta||"} << QList<int>{-1};
        QTest::newRow("the same contact twice: each line once")
            << QStringList{"Abati|Ada|1@0", "Abati|Ada|1@1"}
            << QStringList{"Abati|Ada|1", "Bruni|Bice|2", "Abati|Ada|1"} << QList<int>{0, 2};
        QTest::newRow("no places known: fields only")
            << QStringList{"Abati|Ada|1", "Bruni|Bice|2"}
            << QStringList{"Zeta|Zoe|9", "Bruni|Bice|2"} << QList<int>{-1, 1};
    }
    void links()
    {
        QFETCH(QStringList, synced);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, links);
        QList<ContactLinks::Synced> before;
        for (const QString &contact : synced)
            before.append({fields(contact.section(u'@', 0, 0)),
                           contact.contains(u'@') ? contact.section(u'@', 1).toInt() : -1});
        QList<ContactFields> now;
        for (const QString &line : lines)
            now.append(fields(line));
        QCOMPARE(ContactLinks::link(before, now), links);
    }

    // Multistatus replies as servers write them: each response's href (one
    // text per card), status and ETag, the token, and replies refused.
    void multistatus_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QStringList>("responses"); // href status etag
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("valid");
        QTest::newRow("sync-collection: a change and a deletion")
            << QByteArray(
                   "<?xml version='1.0'?><multistatus xmlns=\"DAV:\"><sync-token>t2</sync-token>"
                   "<response><href>/a/b/x%201.vcf</href><propstat><prop><getetag>\"e1\""
                   "</getetag></prop><status>HTTP/1.1 200 OK</status></propstat></response>"
                   "<response><href>/a/b/y.vcf</href><status>HTTP/1.1 404 Not Found</status>"
                   "</response></multistatus>")
            << QStringList{"/a/b/x%201.vcf 200 \"e1\"", "/a/b/y.vcf 404 "} << "t2" << true;
        QTest::newRow("whole URLs and other escapes, other prefixes, a missing property")
            << QByteArray("<D:multistatus xmlns:D=\"DAV:\"><D:response>"
                          "<D:href>https://h.example/a/b/x 1.vcf</D:href>"
                          "<D:propstat><D:prop><D:getetag>e1</D:getetag></D:prop>"
                          "<D:status>HTTP/1.1 200 OK</D:status></D:propstat>"
                          "<D:propstat><D:prop><D:getlastmodified/></D:prop>"
                          "<D:status>HTTP/1.1 404 Not Found</D:status></D:propstat>"
                          "</D:response></D:multistatus>")
            << QStringList{"/a/b/x%201.vcf 200 e1"} << "" << true;
        QTest::newRow("cut short") << QByteArray("<multistatus xmlns=\"DAV:\"><response><href>/a")
                                   << QStringList{} << "" << false;
        QTest::newRow("not a multistatus")
            << QByteArray("<html><body>Login</body></html>") << QStringList{} << "" << false;
        QTest::newRow("a response without href")
            << QByteArray("<multistatus xmlns=\"DAV:\"><response><status>HTTP/1.1 200 OK</status>"
                          "</response></multistatus>")
            << QStringList{} << "" << false;
    }
    void multistatus()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QStringList, responses);
        QFETCH(QString, token);
        QFETCH(bool, valid);
        const MultiStatus::Reply reply = MultiStatus::parse(xml);
        QCOMPARE(reply.error.isEmpty(), valid);
        QStringList read;
        for (const MultiStatus::Response &response : reply.responses)
            read.append(QStringLiteral("%1 %2 %3")
                            .arg(response.href)
                            .arg(response.status)
                            .arg(response.etag));
        QCOMPARE(read, responses);
        QCOMPARE(reply.syncToken, token);
    }

    void patch_data()
    {
        QTest::addColumn<QByteArray>("card");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QByteArray>("patched");
        const QByteArray full = crlf("BEGIN:VCARD\n"
                                     "VERSION:3.0\n"
                                     "UID:abc-1\n"
                                     "N;LANGUAGE=it:Rossi;Anna;Maria;Dott.;\n"
                                     "FN:Dott. Anna Maria Rossi\n"
                                     "EMAIL;TYPE=INTERNET:anna@example.net\n"
                                     "item1.TEL;TYPE=HOME:06 111\n"
                                     "TEL;TYPE=CELL:333 222\n"
                                     "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD/2wBD\n"
                                     " AAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwgJC4nICIs\n"
                                     "X-CUSTOM;X-A=\"x;y\":keep\\, me\n"
                                     "END:VCARD\n");
        QTest::newRow("nothing changed: the same bytes") << full << "Rossi|Anna|333 222" << full;
        QTest::newRow("number: only the mobile's value")
            << full << "Rossi|Anna|333 999"
            << QByteArray(full).replace("TEL;TYPE=CELL:333 222", "TEL;TYPE=CELL:333 999");
        QTest::newRow("name: N's first two parts and FN, the rest kept")
            << full << u"Rossini|Annà|333 222"_qs
            << QByteArray(full)
                   .replace("N;LANGUAGE=it:Rossi;Anna;Maria;Dott.;",
                            "N;LANGUAGE=it:Rossini;Ann\xC3\xA0;Maria;Dott.;")
                   .replace("FN:Dott. Anna Maria Rossi", "FN:Ann\xC3\xA0 Rossini");
        QTest::newRow("the preferred number of several, in a group")
            << crlf("BEGIN:VCARD\nVERSION:4.0\nFN:B C\nN:C;B;;;\nTEL:1\n"
                    "g.TEL;VALUE=uri;PREF=1:tel:2\nEND:VCARD\n")
            << "C|B|5"
            << crlf("BEGIN:VCARD\nVERSION:4.0\nFN:B C\nN:C;B;;;\nTEL:1\n"
                    "g.TEL;VALUE=uri;PREF=1:tel:5\nUID:new-uid\nEND:VCARD\n");
        QTest::newRow("missing N, FN and TEL are added before the end")
            << crlf("BEGIN:VCARD\nVERSION:3.0\nUID:u\nNOTE:n\nEND:VCARD\n") << "Neri|Nino|7"
            << crlf("BEGIN:VCARD\nVERSION:3.0\nUID:u\nNOTE:n\nN:Neri;Nino;;;\nFN:Nino Neri\n"
                    "TEL:7\nEND:VCARD\n");
        QTest::newRow("a card without UID gets one")
            << crlf("BEGIN:VCARD\nVERSION:3.0\nN:Neri;Nino;;;\nFN:Nino Neri\nTEL:7\nEND:VCARD\n")
            << "Neri|Nino|8"
            << crlf("BEGIN:VCARD\nVERSION:3.0\nN:Neri;Nino;;;\nFN:Nino Neri\nTEL:8\n"
                    "UID:new-uid\nEND:VCARD\n");
        QTest::newRow("2.1: a rewritten value is plain UTF-8, a soft break joined")
            << crlf("BEGIN:VCARD\nVERSION:2.1\nUID:u\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:"
                    "Bartolomei;=\nAnna\nFN;QUOTED-PRINTABLE:Anna=20B.\nNOTE;QUOTED-PRINTABLE:x=\n"
                    "y\nTEL;CELL:1\nEND:VCARD\n")
            << u"Bartolomei|Annà|1"_qs
            << crlf("BEGIN:VCARD\nVERSION:2.1\nUID:u\nN;CHARSET=UTF-8:Bartolomei;Ann\xC3\xA0;;;\n"
                    "FN:Ann\xC3\xA0 Bartolomei\nNOTE;QUOTED-PRINTABLE:x=\ny\nTEL;CELL:1\nEND:VCARD\n");
        QTest::newRow("a folded line rewritten is folded again, LF ends kept elsewhere")
            << QByteArray("BEGIN:VCARD\nVERSION:3.0\nN:Verdi;Gi\n ulia;;;\nNOTE:a\n b\nEND:VCARD\n")
            << "Verdi|Giulia, Jr|1"
            << QByteArray("BEGIN:VCARD\nVERSION:3.0\r\nN:Verdi;Giulia\\, Jr;;;\r\nNOTE:a\n b\n"
                          "UID:new-uid\r\nFN:Giulia\\, Jr Verdi\r\nTEL:1\r\nEND:VCARD\n")
                   .replace("VERSION:3.0\r\n", "VERSION:3.0\n");
    }
    void patch()
    {
        QFETCH(QByteArray, card);
        QFETCH(QString, fields);
        QFETCH(QByteArray, patched);
        const QByteArray result = CardPatch::apply(card, ::fields(fields), "new-uid");
        QCOMPARE(result, patched);
        // What was written reads back as the fields.
        const VCardReader::Card read = VCardReader::parse(result).value(0);
        QCOMPARE((ContactFields{read.lastName, read.firstName, read.number}), ::fields(fields));
    }

    void created()
    {
        const QByteArray card = CardPatch::create(fields(u"Sà;nti|Lu,ca|+39 1"_qs), "id-1");
        QCOMPARE(card, QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:id-1\r\n"
                                  "N:S\xC3\xA0\\;nti;Lu\\,ca;;;\r\nFN:Lu\\,ca S\xC3\xA0\\;nti\r\n"
                                  "TEL:+39 1\r\nEND:VCARD\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSync)
#include "tst_sync.moc"
