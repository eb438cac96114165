#include "contactfile.h"
#include "contactline.h"
#include "windows1252.h"

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
        QTest::newRow("empty lines hold no contact")
            << QByteArray("\r\nRossi,Mario,123\n\n\r\n") << QStringList{rossi};
        QTest::newRow("damaged line stays on its line")
            << QByteArray("Rossi,Mario,123\nVerdi\nBianchi,Anna,456,ext 2\nNeri,Ugo\n"
                          "Bianchi,Anna,456\n")
            << QStringList{rossi, FormatContactLine("Verdi", "", ""),
                           FormatContactLine("Bianchi", "Anna", "456,ext 2"),
                           FormatContactLine("Neri", "Ugo", ""), bianchi};
        QTest::newRow("spaces before a comma stay in the field")
            << QByteArray("  Rossi  ,  Mario ,  12 3  \n")
            << QStringList{FormatContactLine("Rossi  ", "Mario ", "12 3  ")};
        QTest::newRow("double quotes are plain characters")
            << QByteArray("\"Rossi\",\"Mario, jr\",1\n")
            << QStringList{FormatContactLine("\"Rossi\"", "\"Mario", "jr\",1")};
        QTest::newRow("lone CR is data") << QByteArray("A,B,1\r\r\n")
                                         << QStringList{FormatContactLine("A", "B", "1\r")};
        QTest::newRow("Windows-1252 letters")
            << QByteArray("Nicol\xf2,Andr\xe9,\x80 5\n")
            << QStringList{FormatContactLine(QString::fromUtf8("Nicolò"), QString::fromUtf8("André"),
                                             QString::fromUtf8("€ 5"))};
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(ContactFile::parse(bytes), lines);
    }

    void formatWritesCrLfInTableOrder()
    {
        const QStringList lines{FormatContactLine("Rossi", "Mario", "123"),
                                FormatContactLine("Bianchi", "Anna", "456")};
        QCOMPARE(ContactFile::format(lines),
                 QByteArray("Rossi,          Mario,          123\r\n"
                            "Bianchi,        Anna,           456\r\n"));
        QCOMPARE(ContactFile::format({}), QByteArray());
    }

    void windows1252AllBytesBothWays()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Windows1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(Windows1252::encode(text), all);
        QCOMPARE(Windows1252::firstUnencodable(text), qsizetype(-1));
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("plain") << QString::fromUtf8("Città €") << -1;
        QTest::newRow("cyrillic") << QString::fromUtf8("abЖ") << 2;
        QTest::newRow("emoji") << QString::fromUtf8("x😀") << 1;
        QTest::newRow("C1 control that has a letter in 0x80") << QString(QChar(0x80)) << 0;
    }
    void unencodableCharacters()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QCOMPARE(Windows1252::firstUnencodable(text), qsizetype(position));
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
                lines.append(FormatContactLine(field(15, false), field(15, false), field(20, true)));
            const QStringList back = ContactFile::parse(ContactFile::format(lines));
            QCOMPARE(back, lines);
        }
    }
};

QTEST_GUILESS_MAIN(TestContactFile)
#include "tst_contactfile.moc"
