// The table's lines grouped by letter, each group sorted when first shown:
// every way the table changes shows in the next refill.

#include "main_window/lettergroups.h"
#include "store/contacttable.h"
#include "store/datafile.h"
#include "store/globalmodule.h"
#include "support/contactlines.h"

#include <QTest>

using namespace GlobalModule;

class TestLetterGroups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ContactTable::clear(); }
    void groupsInListOrder();
    void tableChanges_data();
    void tableChanges();
};

void TestLetterGroups::groupsInListOrder()
{
    setTable(lines({"Russo", "Bianchi", "rossi", "Rossi", "Abate", "9Rossi"}));
    LetterGroups groups;
    QCOMPARE(groups.linesUnder(u'R'), lines({"Rossi", "Russo"}));
    QCOMPARE(groups.linesUnder(u'B'), lines({"Bianchi"}));
    QCOMPARE(groups.linesUnder(u'Z'), QStringList());
    QCOMPARE(groups.linesUnder(u'r'), QStringList());
    QCOMPARE(groups.linesUnder(u'9'), QStringList());
}

void TestLetterGroups::tableChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("append") << "append" << lines({"Rizzo", "Rossi", "Russo"});
    QTest::newRow("replace") << "replace" << lines({"Rosso", "Russo"});
    QTest::newRow("remove") << "remove" << lines({"Russo"});
    QTest::newRow("clear") << "clear" << QStringList();
    QTest::newRow("load") << "load" << lines({"Ricci"});
    QTest::newRow("filled from a file's lines") << "fill" << lines({"Rosso", "Russo"});
    // Two changes that end where the table began, one letter regrouped.
    QTest::newRow("append, then remove") << "append and remove" << lines({"Rossi", "Russo"});
}

void TestLetterGroups::tableChanges()
{
    QFETCH(QString, change);
    QFETCH(QStringList, expected);

    setTable(lines({"Russo", "Bianchi", "Rossi"}));
    LetterGroups groups;
    QCOMPARE(groups.linesUnder(u'R'), lines({"Rossi", "Russo"}));

    if (change == QLatin1String("append"))
        QVERIFY(ContactTable::append(line("Rizzo")));
    else if (change == QLatin1String("replace"))
        ContactTable::replace(2, line("Rosso"));
    else if (change == QLatin1String("remove"))
        ContactTable::remove(2);
    else if (change == QLatin1String("clear"))
        ContactTable::clear();
    else if (change == QLatin1String("load"))
        DataFile::loadBytes("Ricci, Mario, 06 1234\r\n");
    else if (change == QLatin1String("fill"))
        ContactTable::fill(lines({"Russo", "Bianchi", "Rosso"}));
    else if (change == QLatin1String("append and remove")) {
        QVERIFY(ContactTable::append(line("Rizzo")));
        QCOMPARE(groups.linesUnder(u'R'), lines({"Rizzo", "Rossi", "Russo"}));
        ContactTable::remove(3);
    }
    QCOMPARE(groups.linesUnder(u'R'), expected);
}

QTEST_GUILESS_MAIN(TestLetterGroups)
#include "tst_lettergroups.moc"
