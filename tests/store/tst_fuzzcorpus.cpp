#include "roundtrip.h"
#include "vcardcheck.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Replays the fuzzers' seed corpora through the same checks, in every build.
class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(RUBRIO_FUZZ_CORPUS));
        const QStringList names = corpus.entryList(QDir::Files);
        QVERIFY2(names.size() >= 5, "the seed corpus is missing");
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }
    void roundTrip()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString failure = CheckRoundTrip(file.readAll());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void vcard_data()
    {
        QTest::addColumn<QString>("path");
        const QDir samples(QStringLiteral(RUBRIO_VCARD_SAMPLES));
        for (const QString &name : samples.entryList({QStringLiteral("*.vcf")}))
            QTest::newRow(qPrintable(name)) << samples.filePath(name);
    }
    void vcard()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString failure = CheckVCard(file.readAll());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
