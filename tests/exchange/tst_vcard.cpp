#include "exchange/contactimport.h"
#include "exchange/vcardreader.h"
#include "exchange/vcardwriter.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/contactlines.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTest>

using namespace GlobalModule;

namespace {

VCardReader::Card card(const QString &fields)
{
    const QStringList parts = fields.split(u'|');
    VCardReader::Card c;
    c.position = 1;
    c.line = 1;
    c.lastName = parts.value(0);
    c.firstName = parts.value(1);
    c.number = parts.value(2);
    return c;
}

} // namespace

// Reading vCard files of every shape, adding their cards to the table, and
// writing the table as vCard.
class TestVCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ContactTable::clear(); }

    // Hand-made files in the shapes address books write, each with the
    // contacts it must give and what the report says.
    void samples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("contacts");
        QTest::addColumn<int>("leftOut");
        QTest::addColumn<QStringList>("report");
        QTest::newRow("Android 2.1, quoted-printable")
            << "android21.vcf"
            << QStringList{u"Nicolò|André|+39 333 1234567"_qs, "Ferrari|Gianluca Maria|347 0001112"}
            << 1
            << QStringList{u"Scheda 1 (riga 1, André Nicolò): altri numeri non importati: "
                           "06 5551234, 02 7654321."_qs,
                           "Scheda 3 (riga 20, Mamma): non importata. Manca il Cognome."};
        QTest::newRow("Apple 3.0, groups, folds, escapes")
            << "apple30.vcf"
            << QStringList{"De Luca|Chiara|+39 335 600 7001", "Esposito|Anna Maria|328 1112223"}
            << 2
            << QStringList{
                   "Scheda 1 (riga 1, Chiara De Luca): altri numeri non importati: 06 4400 123.",
                   u"Scheda 2 (riga 13, Luigi Bianchi, Jr.): non importata. La virgola non è "
                   "ammessa."_qs,
                   "Scheda 3 (riga 19, Anna Maria Esposito): altri numeri non importati: "
                   "081 5556677.",
                   "Scheda 4 (riga 27, Marco van Basten): non importata. Il Cognome deve "
                   "iniziare con una lettera maiuscola da A a Z."};
        QTest::newRow("4.0, tel: URIs, PREF=1, LF")
            << "carddav40.vcf"
            << QStringList{"Conti|Marco|+39-347-555-0202;ext=12", "Ricci|Giulia|+39-02-555-0404"}
            << 1
            << QStringList{
                   "Scheda 1 (riga 1, Marco Conti): altri numeri non importati: +39-06-555-0101.",
                   "Scheda 2 (riga 10, Giulia Ricci): Cognome e Nome presi da FN (manca N).",
                   "Scheda 2 (riga 10, Giulia Ricci): altri numeri non importati: "
                   "+39-02-555-0303.",
                   u"Scheda 3 (riga 16, Ivan Kovačević): non importata. Carattere non "
                   "ammesso: č"_qs};
        QTest::newRow("three versions, byte-order marks, lower case")
            << "mixed-bom.vcf" << QStringList{"Galli|Paolo|333 1000001", "Moretti|Sara|333 1000002"}
            << 1
            << QStringList{
                   u"Scheda 3 (riga 12, Paolo Galli): non importata. È già nell'elenco."_qs};
        QTest::newRow("cards left open, text outside cards")
            << "damaged.vcf"
            << QStringList{"Fontana|Elena|0432 111", "Greco|Luca|349 222", "Lombardi|Franco|0432 3"}
            << 0
            << QStringList{"Scheda 1 (riga 2, Elena Fontana): non chiusa da END:VCARD.",
                           "Scheda 3 (riga 13, Franco Lombardi): non chiusa da END:VCARD."};
        QTest::newRow("CR line ends, 8-bit charsets")
            << "cr-only.vcf"
            << QStringList{u"Cafè|Nicolò|0471 55"_qs, u"Müller|Jürgen|089 1234"_qs,
                           u"D’Amico|Renée|06 99"_qs}
            << 0
            << QStringList{
                   u"Scheda 1 (riga 1, Nicolò Cafè): testo non UTF-8 letto come Windows-1252."_qs};
    }
    void samples()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, contacts);
        QFETCH(int, leftOut);
        QFETCH(QStringList, report);
        const ContactImport::Result result =
            ContactImport::addFile(QStringLiteral(RUBRIO_VCARD_SAMPLES "/") + file);
        QCOMPARE(result.error, QString());
        QCOMPARE(tableLines(), lines(contacts));
        QCOMPARE(result.report, report);
        QCOMPARE(result.imported, contacts.size());
        QCOMPARE(result.leftOut, leftOut);
    }

    // Details of the syntax the samples do not show; each row gives the
    // cards read and every note.
    void reader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("escaped backslash before a separator")
            << QByteArray("BEGIN:VCARD\nN:O\\\\;Anna\\;Maria\\,Pia;;;\nEND:VCARD\n")
            << QStringList{"O\\|Anna;Maria,Pia|"} << QStringList{};
        QTest::newRow("N empty, one-word FN")
            << QByteArray(
                   "BEGIN:VCARD\r\nN:;;;;\r\nFN:Acme\r\nTEL;VALUE=uri:TEL:+39 1\r\nEND:VCARD")
            << QStringList{"Acme||+39 1"} << QStringList{"Cognome e Nome presi da FN (manca N)."};
        QTest::newRow("spaces around BEGIN and END, mixed case")
            << QByteArray("BEGIN:VCARD  \nN:A;B\nEnd:VCard \t\nEND:VCARD\n") << QStringList{"A|B|"}
            << QStringList{};
        QTest::newRow("unknown charset read as undeclared text")
            << QByteArray("BEGIN:VCARD\nN;CHARSET=X-NONE:Rossi;Mario\nEND:VCARD\n")
            << QStringList{"Rossi|Mario|"} << QStringList{"set di caratteri sconosciuto: X-NONE."};
        QTest::newRow("a soft break never swallows the next card")
            << QByteArray("BEGIN:VCARD\nN;ENCODING=QUOTED-PRINTABLE:Ross=\nBEGIN:VCARD\nN:B;C\nEND:"
                          "VCARD\n")
            << QStringList{"Ross||", "B|C|"} << QStringList{"non chiusa da END:VCARD."};
        QTest::newRow("no card") << QByteArray("BEGIN:VCAR\nEND:VCARD\nN:A;B\n") << QStringList{}
                                 << QStringList{};
    }
    void reader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, cards);
        QFETCH(QStringList, notes);
        QStringList readCards;
        QStringList readNotes;
        for (const VCardReader::Card &c : VCardReader::parse(bytes)) {
            readCards.append(c.lastName + u'|' + c.firstName + u'|' + c.number);
            readNotes += c.notes;
        }
        QCOMPARE(readCards, cards);
        QCOMPARE(readNotes, notes);
    }

    // The entry dialog's rules for a new contact, the order they are
    // checked in and the reason given.
    void rules_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("reason");
        QTest::newRow("accepted") << "Rossi|Mario|06 123"
                                  << "";
        QTest::newRow("comma in the number") << "Rossi|Mario|06 1, int. 2"
                                             << "";
        QTest::newRow("15 characters") << "Abcdefghijklmno|Abcdefghijklmno|1"
                                       << "";
        QTest::newRow("no surname") << "|Mario|1"
                                    << "Manca il Cognome.";
        QTest::newRow("no given name") << "Rossi||1"
                                       << "Manca il Nome.";
        QTest::newRow("no number") << "Rossi|Mario|"
                                   << "Manca il numero di telefono.";
        QTest::newRow("lower case")
            << "rossi|Mario|1"
            << "Il Cognome deve iniziare con una lettera maiuscola da A a Z.";
        QTest::newRow("accented capital")
            << u"Ünal|Mario|1"_qs << "Il Cognome deve iniziare con una lettera maiuscola da A a Z.";
        QTest::newRow("16-character surname")
            << "Abcdefghijklmnop|Mario|1" << u"Il Cognome può avere al massimo 15 caratteri."_qs;
        QTest::newRow("16-character name")
            << "Rossi|Abcdefghijklmnop|1" << u"Il Nome può avere al massimo 15 caratteri."_qs;
        QTest::newRow("comma in the name")
            << "Rossi|Mario, Luigi|1" << u"La virgola non è ammessa."_qs;
        QTest::newRow("tab") << "Rossi|Mario|06\t1"
                             << "Carattere non ammesso: U+0009";
        QTest::newRow("outside Windows-1252")
            << u"Rossi|Mario 😀|1"_qs << u"Carattere non ammesso: 😀"_qs;
    }
    void rules()
    {
        QFETCH(QString, fields);
        QFETCH(QString, reason);
        const VCardReader::Card c = card(fields);
        QCOMPARE(ContactImport::refusal(c.lastName, c.firstName, c.number), reason);
        const ContactImport::Result result = ContactImport::addCards({c});
        QCOMPARE(result.imported, reason.isEmpty() ? 1 : 0);
        QCOMPARE(tableLines(), reason.isEmpty() ? lines({fields}) : QStringList{});
    }

    void duplicatesAndCapacity()
    {
        for (int i = 0; i < ContactTable::Capacity - 1; ++i)
            ContactTable::append(line("Rossi", "Mario", QString::number(i)));
        const ContactImport::Result result = ContactImport::addCards(
            {card("Rossi|Mario|7"), card("Verdi|Ugo|1"), card("Verdi|Ugo|1"), card("Neri|Ada|2")});
        QCOMPARE(result.imported, 1);
        QCOMPARE(result.leftOut, 3);
        QCOMPARE(ContactCount, ContactTable::Capacity);
        QCOMPARE(Contacts[ContactTable::Capacity - 1], line("Verdi", "Ugo", "1"));
        QCOMPARE(result.report,
                 (QStringList{
                     u"Scheda 1 (riga 1): non importata. È già nell'elenco."_qs,
                     u"Scheda 1 (riga 1): non importata. È già nell'elenco."_qs,
                     u"Scheda 1 (riga 1): non importata. L'elenco è pieno (1001 contatti)."_qs}));
    }

    // A value in many short quoted-printable lines, after a long first line,
    // and a card with a large photo: reading stays linear in the file.
    void largeInputs()
    {
        QByteArray softBreaks =
            "BEGIN:VCARD\nN;ENCODING=QUOTED-PRINTABLE;X-A=" + QByteArray(2 << 20, 'a') + ":Rossi;=";
        for (int i = 0; i < 1 << 19; ++i)
            softBreaks += "\n=";
        softBreaks += "\nEND:VCARD\n";
        QByteArray photo = "BEGIN:VCARD\nN:Rossi;\nPHOTO;ENCODING=b;TYPE=JPEG:";
        for (int i = 0; i < 400 * 1024 / 74; ++i)
            photo += QByteArray(74, 'Q') + "\n ";
        photo += "Q\nEND:VCARD\n";
        for (const QByteArray &bytes : {softBreaks, photo}) {
            QElapsedTimer timer;
            timer.start();
            const QList<VCardReader::Card> cards = VCardReader::parse(bytes);
            QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
            QCOMPARE(cards.size(), 1);
            QCOMPARE(cards[0].lastName, QString("Rossi"));
        }
    }

    void writer_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("card");
        QTest::newRow("contact line")
            << line("Rossi", "Mario", "06 123")
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Rossi;Mario;;;\r\n"
                          "FN:Mario Rossi\r\nTEL:06 123\r\nEND:VCARD\r\n");
        QTest::newRow("escapes, padding, no number")
            << "O\\Neil  ,  Anna;Maria  ,  "
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:O\\\\Neil;Anna\\;Maria;;;\r\n"
                          "FN:Anna\\;Maria O\\\\Neil\r\nEND:VCARD\r\n");
        QTest::newRow("comma and line end in the number")
            << "Rossi,Mario,06 1, int.\r2"
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Rossi;Mario;;;\r\n"
                          "FN:Mario Rossi\r\nTEL:06 1\\, int.\\n2\r\n"
                          "END:VCARD\r\n");
        // 6 octets, then two-octet characters: the 35th would cross octet 75.
        QTest::newRow("folded between characters")
            << line("Rossi", "Mario", "12" + QString(40, QChar(0xE8)))
            << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Rossi;Mario;;;\r\nFN:Mario "
               "Rossi\r\nTEL:12" +
                   QString(34, QChar(0xE8)).toUtf8() + "\r\n " + QString(6, QChar(0xE8)).toUtf8() +
                   "\r\nEND:VCARD\r\n";
    }
    void writer()
    {
        QFETCH(QString, line);
        QFETCH(QByteArray, card);
        QBuffer written;
        QVERIFY(written.open(QIODevice::WriteOnly));
        QVERIFY(VCardWriter::write({line}, written));
        QCOMPARE(written.data(), card);
    }
};

QTEST_GUILESS_MAIN(TestVCard)
#include "tst_vcard.moc"
