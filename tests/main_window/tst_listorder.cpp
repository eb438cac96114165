// The list's order: the collation of the language, case-insensitive, with
// lines the collation holds equal ordered by their exact text.

#include "main_window/listorder.h"

#include <QCollator>
#include <QTest>

namespace {

// Lines keyed and sorted as the collation sorts them, ties by exact text.
QStringList collationSorted(QStringList lines)
{
    QCollator collator{QLocale(QLocale::Italian)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(lines.begin(), lines.end(), [&](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return lines;
}

} // namespace

class TestListOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sortedLikeTheCollation_data();
    void sortedLikeTheCollation();
};

void TestListOrder::sortedLikeTheCollation_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("case, accents, punctuation") << QStringList{
        QStringLiteral("Rossi, Mario"),     QStringLiteral("ROSSI, Mario"),
        QStringLiteral("R\u00F2ssi, Anna"), QStringLiteral("Rossi,Anna"),
        QStringLiteral("Ross, Ugo"),        QStringLiteral("Rossi, Mario"),
        QStringLiteral("R'ossi"),           QStringLiteral("Ro-ssi")};
    QTest::newRow("expanded letters") << QStringList{QStringLiteral("Ro\u00DFi"), QStringLiteral("Rossi"),
                                              QStringLiteral("R\u00E6t"),  QStringLiteral("Raet"),
                                              QStringLiteral("Raft"),      QStringLiteral("ROSSI")};
    QTest::newRow("empty") << QStringList();
}

void TestListOrder::sortedLikeTheCollation()
{
    QFETCH(QStringList, lines);
    QCOMPARE(ListOrder::Sorted(lines), collationSorted(lines));
}

QTEST_GUILESS_MAIN(TestListOrder)
#include "tst_listorder.moc"
