// Find: the matching rules as the user types them in the dialog (the same
// table drives the command line's test), what a screen reader is told, and
// the chosen contact selected under its letter.

#include "find_dialog/frmfind.h"
#include "main_window/atel.h"
#include "look/dialogfonts.h"
#include "support/windowtestcase.h"

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString FindData = QStringLiteral(RUBRIO_FIND_DATA);

QStringList listed(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class TestFrmFind : public WindowTestCase
{
    Q_OBJECT

public:
    TestFrmFind() : WindowTestCase(true) {}

private Q_SLOTS:
    void initTestCase() { DialogFonts::Install(); }
    void init();

    void matchingRules_data();
    void matchingRules();
    void chosenContactSelectedUnderItsLetter_data();
    void chosenContactSelectedUnderItsLetter();

private:
    // The main window over contacts.txt, and Ctrl+F pressed in it.
    frmFind *openFind();

};

void TestFrmFind::init()
{
    WindowTestCase::init();
    QVERIFY(QFile::copy(FindData + QStringLiteral("/contacts.txt"),
                        m_scope->dir.filePath(QStringLiteral("data.txt"))));
}

frmFind *TestFrmFind::openFind()
{
    aTel *window = aTel::instance();
    showActive(window);
    QTest::keySequence(window, QKeySequence::Find);
    auto *dialog = openWindow<frmFind>();
    if (!dialog)
        return nullptr;
    // Typing goes to the text box once the dialog has the focus.
    QLineEdit *box = dialog->findText();
    if (!QTest::qWaitFor([box] { return box->hasFocus(); }))
        qWarning("FindText has no focus");
    return dialog;
}

void TestFrmFind::matchingRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");

    QFile cases(FindData + QStringLiteral("/cases.txt"));
    QVERIFY(cases.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!cases.atEnd()) {
        const QString row = QString::fromUtf8(cases.readLine()).chopped(1);
        if (row.isEmpty() || row.startsWith(u'#'))
            continue;
        const QStringList fields = row.split(u'|');
        QTest::newRow(qPrintable(fields[0])) << fields[1] << fields.mid(2);
    }
}

void TestFrmFind::matchingRules()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);

    frmFind *dialog = openFind();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Trova"));
    QVERIFY(dialog->isModal());
    QLineEdit *box = control<QLineEdit>(dialog, "FindText");
    QListWidget *results = control<QListWidget>(dialog, "FindResults");
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
    QCOMPARE(listed(results), found);

    // A screen reader reads the box by its label, the results by their name,
    // and the count with them.
    const QString count = found.isEmpty() ? QStringLiteral("Nessun contatto trovato")
                          : found.size() == 1
                              ? QStringLiteral("1 contatto trovato")
                              : QStringLiteral("%1 contatti trovati").arg(found.size());
    QCOMPARE(control<QLabel>(dialog, "FindCount")->text(), count);
    QAccessibleInterface *boxReader = QAccessible::queryAccessibleInterface(box);
    QAccessibleInterface *listReader = QAccessible::queryAccessibleInterface(results);
    QVERIFY(boxReader && listReader);
    QCOMPARE(boxReader->text(QAccessible::Name), QStringLiteral("Cognome, nome o numero:"));
    QCOMPARE(boxReader->text(QAccessible::Value), text);
    QCOMPARE(listReader->text(QAccessible::Name), QStringLiteral("Contatti trovati"));
    QCOMPARE(listReader->text(QAccessible::Description), count);
    QCOMPARE(listReader->childCount(), found.size());
}

void TestFrmFind::chosenContactSelectedUnderItsLetter_data()
{
    QTest::addColumn<QString>("how");
    QTest::addRow("Enter in the text box") << QStringLiteral("enter");
    QTest::addRow("Enter on the second result") << QStringLiteral("down-enter");
    QTest::addRow("double click on the second result") << QStringLiteral("double-click");
    QTest::addRow("Esc chooses nothing") << QStringLiteral("esc");
}

void TestFrmFind::chosenContactSelectedUnderItsLetter()
{
    QFETCH(QString, how);

    aTel *window = aTel::instance();
    QCOMPARE(window->scrollBar()->value(), 0); // A: no contact there
    frmFind *dialog = openFind();
    QVERIFY(dialog);
    QLineEdit *box = control<QLineEdit>(dialog, "FindText");
    QListWidget *results = control<QListWidget>(dialog, "FindResults");
    QTest::keyClicks(box, QStringLiteral("ni"));
    QCOMPARE(listed(results), QStringList({"Nicolai Luca 0471 99", "Russo Nicolò 333 123 4"}));

    QString chosen;
    if (how == "enter"_L1) {
        QTest::keyClick(box, Qt::Key_Return);
        chosen = GlobalModule::FormatContactLine(u"Nicolai"_s, u"Luca"_s, u"0471 99"_s);
    } else if (how == "down-enter"_L1) {
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(results->hasFocus());
        QTest::keyClick(results, Qt::Key_Down);
        QTest::keyClick(results, Qt::Key_Return);
        chosen = GlobalModule::FormatContactLine(u"Russo"_s, u"Nicolò"_s, u"333 123 4"_s);
    } else if (how == "double-click"_L1) {
        const QPoint at = results->visualItemRect(results->item(1)).center();
        // Through the window, as the platform delivers it: Qt tells a
        // double click from two clicks there.
        QTest::mouseDClick(dialog->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                           results->viewport()->mapTo(dialog, at));
        chosen = GlobalModule::FormatContactLine(u"Russo"_s, u"Nicolò"_s, u"333 123 4"_s);
    } else {
        QTest::keyClick(box, Qt::Key_Escape);
    }
    QTRY_VERIFY(!openWindow<frmFind>());

    QListWidget *list = window->contactList();
    if (chosen.isEmpty()) {
        QCOMPARE(window->scrollBar()->value(), 0);
        QVERIFY(list->selectedItems().isEmpty());
        QVERIFY(!window->cmdModify()->isEnabled());
        return;
    }
    // As a change of letter shows it: the letter's contacts, the chosen one
    // selected and current, so Modifica and Cancella act on it.
    QCOMPARE(window->scrollBar()->value(), chosen[0].unicode() - u'A');
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->selectedItems().constFirst()->text(), chosen);
    QCOMPARE(list->currentItem()->text(), chosen);
    QVERIFY(window->cmdModify()->isEnabled());
    QVERIFY(window->cmdDelete()->isEnabled());
}

QTEST_MAIN(TestFrmFind)
#include "tst_frmfind.moc"
