#include "store/contactfile.h"
#include "store/contactline.h"
#include "store/windows1252.h"

#include <QRandomGenerator>
#include <QTest>

using GlobalModule::FormatContactLine;

class TestContactFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");

        const QString rossi = FormatContactLine("Rossi", "Mario", "123");
        const QString bianchi = FormatContactLine("Bianchi", "Anna", "456");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("Rossi,          Mario,          123\r\n"
                                             "Bianchi,        Anna,           456\r\n")
                               << QStringList{rossi, bianchi};
        QTest::newRow("LF only, no final line end")
            << QByteArray("Rossi,Mario,123\nBianchi, Anna,  456") << QStringList{rossi, bianchi};
        QTest::newRow("CR only") << QByteArray("Rossi,Mario,123\rBianchi,Anna,456\r")
                                 << QStringList{rossi, bianchi};
        QTest::newRow("CR CR LF") << QByteArray("Rossi,Mario,123\r\r\nBianchi,Anna,456\r\r\n")
                                  << QStringList{rossi, bianchi};
        QTest::newRow("empty lines hold no contact")
            << QByteArray("\r\nRossi,Mario,123\n\n\r\n\r") << QStringList{rossi};
        QTest::newRow("damaged lines stay on their lines, as they are")
            << QByteArray("Rossi,Mario,123\nVerdi\nBianchi,Anna,456,ext 2\nNeri,Ugo\n   \n"
                          "Bianchi,Anna,456\n")
            << QStringList{rossi,      "Verdi", FormatContactLine("Bianchi", "Anna", "456,ext 2"),
                           "Neri,Ugo", "   ",   bianchi};
        QTest::newRow("lines the list cannot show stay as they are")
            << QByteArray("rossi,Mario,123\n\xc9mile,Zola,1\n,Anna,2\n"
                          "Abcdefghijklmnopq,Anna,3\nRossi,Giovannina Maria,4\nRossi,Mario\t,5\n")
            << QStringList{"rossi,Mario,123",
                           QString::fromUtf8("Émile,Zola,1"),
                           ",Anna,2",
                           "Abcdefghijklmnopq,Anna,3",
                           "Rossi,Giovannina Maria,4",
                           "Rossi,Mario\t,5"};
        QTest::newRow("spaces before a comma stay in the field")
            << QByteArray("  Rossi  ,  Mario ,  12 3  \n")
            << QStringList{FormatContactLine("Rossi  ", "Mario ", "12 3  ")};
        QTest::newRow("double quotes are plain characters")
            << QByteArray("R\"ossi\",\"Mario, jr\",1\n")
            << QStringList{FormatContactLine("R\"ossi\"", "\"Mario", "jr\",1")};
        QTest::newRow("Windows-1252 letters")
            << QByteArray("Nicol\xf2,Andr\xe9,\x80 5\n")
            << QStringList{FormatContactLine(QString::fromUtf8("Nicolò"),
                                             QString::fromUtf8("André"), QString::fromUtf8("€ 5"))};
        QTest::newRow("UTF-8 after its mark")
            << QByteArray(
                   "\xef\xbb\xbfNicol\xc3\xb2,Andr\xc3\xa9,\xe2\x82\xac 5\n\xc5\x81ukasz,A,1\n")
            << QStringList{FormatContactLine(QString::fromUtf8("Nicolò"),
                                             QString::fromUtf8("André"), QString::fromUtf8("€ 5")),
                           QString::fromUtf8("Łukasz,A,1")};
        // Each must also read back the same after a save.
        QTest::newRow("a line that starts like the UTF-8 mark, after an empty line")
            << QByteArray("\n\xef\xbb\xbf\x85\x03")
            << QStringList{QString::fromUtf8("ï»¿…\x03")};
        QTest::newRow("a line that starts like the UTF-16 mark, after an empty line")
            << QByteArray("\r\n\xff\xfe" "A,b,c\r\n") << QStringList{QString::fromUtf8("ÿþA,b,c")};
        QTest::newRow("NULs that a save would put in even places")
            << QByteArray("\0a\0a\0a\n\0a\0a\0a", 13)
            << QStringList{QString::fromLatin1("\0a\0a\0a", 6), QString::fromLatin1("\0a\0a\0a", 6)};
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const ContactFile::Parsed parsed = ContactFile::parse(bytes);
        QCOMPARE(parsed.lines, lines);
        QVERIFY(parsed.error.isEmpty());
        // What cannot be shown comes back byte for byte.
        QCOMPARE(ContactFile::parse(ContactFile::format(parsed.lines, parsed.encoding)).lines,
                 lines);
    }

    void unreadableText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-16 LE with its mark") << QByteArray("\xff\xfeR\0,\0", 6);
        QTest::newRow("UTF-16 BE with its mark") << QByteArray("\xfe\xff\0R\0,", 6);
        QTest::newRow("UTF-16 LE without a mark") << QByteArray("R\0o\0,\0M\0,\0"
                                                                "1\0\r\0\n\0",
                                                                16);
        QTest::newRow("UTF-16 BE without a mark") << QByteArray("\0R\0o\0,\0M\0,\0001", 12);
        QTest::newRow("UTF-16 LE without a mark, with a euro sign")
            << QByteArray("V\0,\0A\0,\0\x35\0 \0\xac\x20\r\0\n\0", 18);
        QTest::newRow("not UTF-8 after the UTF-8 mark")
            << QByteArray("\xef\xbb\xbfNicol\xf2,A,1\r\n");
    }
    void unreadableText()
    {
        QFETCH(QByteArray, bytes);
        const ContactFile::Parsed parsed = ContactFile::parse(bytes);
        QVERIFY(!parsed.error.isEmpty());
        QVERIFY(parsed.lines.isEmpty());
    }

    void formatWritesCrLfInTableOrder()
    {
        const QStringList lines{FormatContactLine("Rossi", "Mario", "123"),
                                FormatContactLine("Bianchi", "Anna", "456")};
        QCOMPARE(ContactFile::format(lines), QByteArray("Rossi,          Mario,          123\r\n"
                                                        "Bianchi,        Anna,           456\r\n"));
        QCOMPARE(ContactFile::format({}), QByteArray());
        QCOMPARE(
            ContactFile::format({QString::fromUtf8("Łukasz,A,1")}, ContactFile::Encoding::Utf8),
            QByteArray("\xef\xbb\xbf\xc5\x81ukasz,A,1\r\n"));
    }

    void windows1252AllBytesBothWays()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Windows1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(Windows1252::encode(text), all);
        for (const QChar c : text)
            QVERIFY(Windows1252::canEncode(c.unicode()));
    }

    void windows1252Mapping_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81") << 0x81 << 0x81;
        QTest::newRow("undefined 8D") << 0x8D << 0x8D;
        QTest::newRow("undefined 8F") << 0x8F << 0x8F;
        QTest::newRow("undefined 90") << 0x90 << 0x90;
        QTest::newRow("undefined 9D") << 0x9D << 0x9D;
        QTest::newRow("right quote") << 0x92 << 0x2019;
        QTest::newRow("Y diaeresis") << 0x9F << 0x178;
        QTest::newRow("nbsp") << 0xA0 << 0xA0;
        QTest::newRow("e grave") << 0xE8 << 0xE8;
        QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    }
    void windows1252Mapping()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        const QString text = Windows1252::decode(QByteArray(1, char(byte)));
        QCOMPARE(int(text.at(0).unicode()), unicode);
        QCOMPARE(Windows1252::encode(text), QByteArray(1, char(byte)));
    }

    void unencodableCharacters_data()
    {
        QTest::addColumn<int>("character");
        QTest::newRow("cyrillic") << 0x416;
        QTest::newRow("high surrogate of an emoji") << 0xD83D;
        QTest::newRow("C1 control that has a letter in 0x80") << 0x80;
    }
    void unencodableCharacters()
    {
        QFETCH(int, character);
        QVERIFY(!Windows1252::canEncode(char16_t(character)));
    }

    // Any contact with no comma in the surname or given name, no control
    // character, fields of at most 15 characters and no leading spaces comes
    // back exactly from its file bytes.
    void randomContactsSurvive()
    {
        QRandomGenerator random(20261207);
        const QString alphabet = QString::fromUtf8("ABCabcàèéìòù' .-€ŠœÿÀ0123456789,;\"");
        auto field = [&](int maxLength, bool commaAllowed) {
            QString text;
            const int length = int(random.bounded(maxLength + 1));
            while (text.size() < length) {
                const QChar c = alphabet.at(int(random.bounded(alphabet.size())));
                if ((c == u',' && !commaAllowed) || (text.isEmpty() && c == u' '))
                    continue;
                text += c;
            }
            return text;
        };
        for (int round = 0; round < 200; ++round) {
            QStringList lines;
            const int count = int(random.bounded(20));
            for (int i = 0; i < count; ++i)
                lines.append(
                    FormatContactLine(field(15, false), field(15, false), field(20, true)));
            const QStringList back = ContactFile::parse(ContactFile::format(lines)).lines;
            QCOMPARE(back, lines);
        }
    }
};

QTEST_GUILESS_MAIN(TestContactFile)
#include "tst_contactfile.moc"
