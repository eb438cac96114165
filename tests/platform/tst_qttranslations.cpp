#include "platform/msgbox.h"
#include "platform/runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include <memory>

// Qt's standard buttons speak the system language once its translations are
// loaded; with none installed for the language they stay English.
class TestQtTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonTexts_data();
    void buttonTexts();
};

void TestQtTranslations::buttonTexts_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("no");
    QTest::newRow("C") << QLocale::c() << "&Yes"
                       << "&No";
    QTest::newRow("Italian") << QLocale(QLocale::Italian, QLocale::Italy) << QStringLiteral("&Sì")
                             << "&No";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "&Ja"
                            << "&Nein";
}

void TestQtTranslations::buttonTexts()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, yes);
    QFETCH(QString, no);

    QLocale::setDefault(locale);
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    QVERIFY(app);
    // Each row starts without the translators an earlier row installed.
    for (QTranslator *old : app->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    Runtime::InstallQtTranslations(*app);
    const auto box = CreateMessageBox({QStringLiteral("Vuoi salvare le Modifiche ?"),
                                       292,
                                       QStringLiteral("Chiusura ..."),
                                       {},
                                       0});
    QCOMPARE(box->button(QMessageBox::Yes)->text(), yes);
    QCOMPARE(box->button(QMessageBox::No)->text(), no);
}

QTEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
