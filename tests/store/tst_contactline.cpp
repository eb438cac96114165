#include "store/contacttable.h"
#include "store/globalmodule.h"

#include <QTest>

using namespace GlobalModule;

class TestContactLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ContactTable::clear(); }

    void format_data()
    {
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("line");

        QTest::newRow("Rossi Mario 123")
            << "Rossi" << "Mario" << "123"
            << "Rossi," + QString(10, ' ') + "Mario," + QString(10, ' ') + "123";
        QTest::newRow("three empty fields")
            << "" << "" << "" << "," + QString(15, ' ') + "," + QString(15, ' ');
        QTest::newRow("15-character surname")
            << "Abcdefghijklmno" << "Anna" << "1"
            << "Abcdefghijklmno,Anna," + QString(11, ' ') + "1";
        QTest::newRow("longer than the column: no padding, nothing cut")
            << "Abcdefghijklmnopq" << "Giovannina Maria" << "06 1234"
            << "Abcdefghijklmnopq,Giovannina Maria,06 1234";
        QTest::newRow("nothing trimmed or changed")
            << " de Luca " << "anna" << " 3 " << " de Luca ,      anna,            3 ";
    }
    void format()
    {
        QFETCH(QString, lastName);
        QFETCH(QString, firstName);
        QFETCH(QString, number);
        QFETCH(QString, line);
        QCOMPARE(FormatContactLine(lastName, firstName, number), line);
    }

    void rossiColumns()
    {
        const QString line = FormatContactLine("Rossi", "Mario", "123");
        QCOMPARE(line.size(), 35);
        QCOMPARE(line.mid(16, 5), QString("Mario"));
        QCOMPARE(line.mid(32), QString("123"));
    }

    void split_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("number");

        QTest::newRow("built line") << FormatContactLine("Rossi", "Mario", "123") << "Rossi"
                                    << "Mario" << "123";
        QTest::newRow("empty fields") << FormatContactLine("", "", "") << "" << "" << "";
        QTest::newRow("15 characters") << FormatContactLine("Abcdefghijklmno", "Pqrstuvwxyzabcd", "9")
                                       << "Abcdefghijklmno" << "Pqrstuvwxyzabcd" << "9";
        QTest::newRow("accents and spaces inside")
            << FormatContactLine("D'Alò", "Maria Grazia", "+39 06 555") << "D'Alò"
            << "Maria Grazia" << "+39 06 555";
        QTest::newRow("comma in surname moves the split")
            << FormatContactLine("Rossi,Bianchi", "Anna", "1") << "Rossi"
            << "Bianchi" << "Anna,           1";
        QTest::newRow("comma in number stays in number")
            << FormatContactLine("Verdi", "Luca", "1,2") << "Verdi" << "Luca" << "1,2";
        QTest::newRow("no comma at all") << "Verdi" << "Verdi" << "" << "";
        QTest::newRow("only tabs are not trimmed") << "A,\tB,\t1" << "A" << "\tB" << "\t1";
    }
    void split()
    {
        QFETCH(QString, line);
        QFETCH(QString, lastName);
        QFETCH(QString, firstName);
        QFETCH(QString, number);
        QCOMPARE(SplitContactLine(line), (ContactFields{lastName, firstName, number}));
    }

    void equalityIsCaseSensitive()
    {
        QVERIFY(ContactTable::append(FormatContactLine("Rossi", "Mario", "1")));
        QCOMPARE(ContactTable::lastIndexOf(FormatContactLine("rossi", "Mario", "1")), -1);
        QCOMPARE(ContactTable::lastIndexOf(FormatContactLine("Rossi", "Mario", "1")), 0);
        QCOMPARE(ContactTable::lastIndexOf(FormatContactLine("Rossi", "Mario", "1") + " "), -1);
    }

    void lastIndexOfFindsTheLastEqualLine()
    {
        for (const char *name : {"A", "B", "A", "C"})
            QVERIFY(ContactTable::append(FormatContactLine(name, "x", "1")));
        QCOMPARE(ContactTable::lastIndexOf(FormatContactLine("A", "x", "1")), 2);
        ContactTable::remove(3);
        QCOMPARE(ContactTable::lastIndexOf(FormatContactLine("C", "x", "1")), -1); // slot no longer in use
    }

    void removeAtZero()
    {
        for (const char *name : {"A", "B", "C"})
            QVERIFY(ContactTable::append(name));
        ContactTable::remove(0);
        QCOMPARE(ContactCount, qint16(2));
        QCOMPARE(Contacts[0], QString("B"));
        QCOMPARE(Contacts[1], QString("C"));
        QCOMPARE(Contacts[2], QString("C")); // the old last slot keeps its text
    }

    void replaceAndClear()
    {
        QVERIFY(ContactTable::append("A"));
        QVERIFY(ContactTable::append("B"));
        ContactTable::replace(1, "Z");
        QCOMPARE(ContactTable::allLines(), QStringList({"A", "Z"}));
        ContactTable::clear();
        QCOMPARE(ContactCount, qint16(0));
        QVERIFY(ContactTable::allLines().isEmpty());
    }

    void fullTableRefusesAppend()
    {
        for (int i = 0; i < ContactTable::Capacity; ++i)
            QVERIFY(ContactTable::append(QString::number(i)));
        QCOMPARE(ContactCount, qint16(ContactTable::Capacity));
        QVERIFY(!ContactTable::append("one too many"));
        QCOMPARE(ContactCount, qint16(ContactTable::Capacity));
        QCOMPARE(Contacts[ContactTable::Capacity - 1], QString::number(ContactTable::Capacity - 1));
    }
};

QTEST_GUILESS_MAIN(TestContactLine)
#include "tst_contactline.moc"
