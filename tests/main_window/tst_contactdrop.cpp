// vCard files dropped on the main window.

#include "main_window/atel.h"
#include "store/globalmodule.h"
#include "support/windowtestcase.h"

#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace GlobalModule;

namespace {

QString sample(const QString &name)
{
    return QStringLiteral(RUBRIO_VCARD_SAMPLES "/") + name;
}

} // namespace

class TestContactDrop : public WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:

    // Only local .vcf files, and only as a copy, so the file manager never
    // deletes what it dragged.
    void accepts_data()
    {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Qt::DropActions>("actions");
        QTest::addColumn<bool>("accepted");
        const QString vcf = QUrl::fromLocalFile(sample("apple30.vcf")).toString();
        const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
        QTest::newRow("a .vcf file, moved or copied")
            << QStringList{vcf} << "" << copyOrMove << true;
        QTest::newRow("a .vcf file that can only move")
            << QStringList{vcf} << "" << Qt::DropActions(Qt::MoveAction) << false;
        QTest::newRow("text") << QStringList{} << "BEGIN:VCARD" << copyOrMove << false;
        QTest::newRow("a .vcf and a .txt")
            << QStringList{vcf, QUrl::fromLocalFile("/tmp/a.txt").toString()} << "" << copyOrMove
            << false;
        QTest::newRow("a remote .vcf")
            << QStringList{"https://example.org/a.vcf"} << "" << copyOrMove << false;
    }
    void accepts()
    {
        QFETCH(QStringList, urls);
        QFETCH(QString, text);
        QFETCH(Qt::DropActions, actions);
        QFETCH(bool, accepted);
        aTel *window = aTel::instance();
        QVERIFY(window->acceptDrops());
        QMimeData data;
        if (!urls.isEmpty())
            data.setUrls(QList<QUrl>(urls.begin(), urls.end()));
        if (!text.isEmpty())
            data.setText(text);
        QDragEnterEvent enter(QPoint(10, 10), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(enter.dropAction(), Qt::CopyAction);
        QDropEvent drop(QPointF(10, 10), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &drop);
        QTest::qWait(0);
        QCOMPARE(m_scope->boxes.calls().size(), accepted ? 1 : 0);
    }

    // Two files: added to the table as "Aggiungi" would, the list refilled,
    // one information box with both reports, data.txt not written.
    void dropTwoFiles()
    {
        const QByteArray before("Rossi,          Mario,          06 123\r\n");
        QVERIFY(m_scope->dir.write("data.txt", before));
        aTel *window = aTel::instance();
        window->scrollBar()->setValue('F' - 'A');
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(sample("android21.vcf")),
                      QUrl::fromLocalFile(sample("mixed-bom.vcf"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(window, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &drop);
        QVERIFY(drop.isAccepted());
        QTRY_COMPARE(m_scope->boxes.calls().size(), 1);

        QCOMPARE(ContactCount, 5);
        QCOMPARE(Contacts[4], FormatContactLine("Moretti", "Sara", "333 1000002"));
        QCOMPARE(window->contactList()->count(), 1);
        QCOMPARE(window->contactList()->item(0)->text(),
                 FormatContactLine("Ferrari", "Gianluca Maria", "347 0001112"));
        const MsgBoxCall &box = m_scope->boxes.calls().constFirst();
        QCOMPARE(box.style, 64);
        QCOMPARE(box.prompt,
                 u"Importati 2 contatti da android21.vcf.\n"
                 "Scheda 1 (riga 1, André Nicolò): altri numeri non importati: 06 5551234, "
                 "02 7654321.\n"
                 "Scheda 3 (riga 20, Mamma): non importata. Manca il Cognome.\n\n"
                 "Importati 2 contatti da mixed-bom.vcf.\n"
                 "Scheda 3 (riga 12, Paolo Galli): non importata. È già nell'elenco."_qs);
        QCOMPARE(m_scope->dir.read("data.txt"), before);
    }

private:
};

QTEST_MAIN(TestContactDrop)
#include "tst_contactdrop.moc"
