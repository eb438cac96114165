// The list's order: the weight table that keys Latin-1 lines without the
// collation library must order every line as the library does.

#include "listorder.h"

#include <QCollator>
#include <QRandomGenerator>
#include <QTest>

namespace {

QCollator collatorFor(QLocale::Language language)
{
    QCollator collator{QLocale(language)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Printable Latin-1: what a contact line nearly always holds.
QString printableLatin1()
{
    QString characters;
    for (char16_t c = 0x20; c <= 0xFF; ++c) {
        if (c < 0x7F || c >= 0xA0)
            characters += QChar(c);
    }
    return characters;
}

// Lines keyed and sorted as the collation sorts them, ties by exact text.
QStringList collationSorted(QStringList lines)
{
    const QCollator collator = collatorFor(QLocale::Italian);
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
    void keyedCharacters();
    void singleCharacters_data();
    void singleCharacters();
    void lines_data();
    void lines();
    void sortedLikeTheCollation_data();
    void sortedLikeTheCollation();
};

// Every printable Latin-1 character is keyed but those the collation expands
// or weighs apart; nothing beyond Latin-1 is.
void TestListOrder::keyedCharacters()
{
    QString unkeyed;
    for (const QChar c : printableLatin1()) {
        if (!ListOrder::LatinKey(QStringView(&c, 1)))
            unkeyed += c;
    }
    QCOMPARE(unkeyed, QStringLiteral("\u00AD\u00BC\u00BD\u00BE\u00C6\u00D0\u00DF\u00E6\u00F0"));
    for (const char16_t c : {u'\t', u'\u0081', u'\u0100', u'\u20AC', u'\u2019'})
        QVERIFY(!ListOrder::LatinKey(QStringView(&c, 1)));
    QVERIFY(!ListOrder::LatinKey(u"Rossi\u20AC"));
    QCOMPARE(ListOrder::LatinKey(u""), QByteArray(1, '\0'));
}

void TestListOrder::singleCharacters_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::newRow("Italian") << QLocale::Italian;
    QTest::newRow("English") << QLocale::English;
}

// Each pair of keyed characters compares as in the collation.
void TestListOrder::singleCharacters()
{
    QFETCH(QLocale::Language, language);
    const QCollator collator = collatorFor(language);
    const QString characters = printableLatin1();
    for (const QChar a : characters) {
        const auto keyA = ListOrder::LatinKey(QStringView(&a, 1));
        for (const QChar b : characters) {
            const auto keyB = ListOrder::LatinKey(QStringView(&b, 1));
            if (!keyA || !keyB)
                continue;
            QVERIFY2(sign(keyA->compare(*keyB)) == sign(collator.compare(a, b)),
                     qPrintable(QStringLiteral("%1 / %2").arg(a).arg(b)));
        }
    }
}

void TestListOrder::lines_data()
{
    singleCharacters_data();
}

// Random lines built to tie at the first level as often as not, so accents,
// case and length decide: keys and collation agree on each pair.
void TestListOrder::lines()
{
    QFETCH(QLocale::Language, language);
    const QCollator collator = collatorFor(language);
    const QString alphabet = QStringLiteral("aA\u00E0\u00C0\u00E1\u00E2\u00E4\u00E5\u00E3\u00AA"
                                            "eE\u00E8\u00E9oO\u00F2\u00F8\u00F6\u00BA"
                                            "cC\u00E7nN\u00F1 ,'-1\u00B9");
    QRandomGenerator random(20240611);
    const auto randomLine = [&] {
        QString line;
        const int length = random.bounded(7);
        for (int i = 0; i < length; ++i)
            line += alphabet.at(random.bounded(alphabet.size()));
        return line;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString a = randomLine();
        const QString b = randomLine();
        const auto keyA = ListOrder::LatinKey(a);
        const auto keyB = ListOrder::LatinKey(b);
        QVERIFY(keyA && keyB);
        QVERIFY2(sign(keyA->compare(*keyB)) == sign(collator.compare(a, b)),
                 qPrintable(a + QStringLiteral(" / ") + b));
    }
}

void TestListOrder::sortedLikeTheCollation_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("keyed") << QStringList{
        QStringLiteral("Rossi, Mario"),     QStringLiteral("ROSSI, Mario"),
        QStringLiteral("R\u00F2ssi, Anna"), QStringLiteral("Rossi,Anna"),
        QStringLiteral("Ross, Ugo"),        QStringLiteral("Rossi, Mario"),
        QStringLiteral("R'ossi"),           QStringLiteral("Ro-ssi")};
    // One line the table cannot key: the whole group goes to the collation.
    QTest::newRow("not keyed") << QStringList{QStringLiteral("Ro\u00DFi"), QStringLiteral("Rossi"),
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
