#include "entry_dialog/dataform.h"
#include "main_window/atel.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/contactlines.h"
#include "support/filesizelimit.h"
#include "support/windowtestcase.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace GlobalModule;
using Rows = QList<int>;

// The add, modify, delete and save commands of the main window, and the
// entry dialog's commands that change the table.
class TestRecordCommands : public WindowTestCase
{
    Q_OBJECT

private:

    // Starts the program afresh on a data.txt holding lines.
    aTel *start(const QStringList &lines)
    {
        deleteAllWindows();
        m_scope->dir.write("data.txt", fileOf(lines));
        aTel *window = aTel::instance();
        window->show();
        return window;
    }
    QListWidget *list() { return aTel::instance()->contactList(); }
    QStringList listed()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    // A click on the item, as the user toggles its selection.
    void clickRow(int row)
    {
        QListWidget *contacts = list();
        const QRect rect = contacts->visualItemRect(contacts->item(row));
        QTest::mouseClick(contacts->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void showLetter(char letter)
    {
        QScrollBar *bar = aTel::instance()->scrollBar();
        if (bar->value() == letter - 'A')
            aTel::instance()->VScroll_Sel_Chr_Change();
        else
            bar->setValue(letter - 'A');
    }
    void type(DataForm *form, const QString &lastName, const QString &firstName,
              const QString &number)
    {
        form->lastName()->setText(lastName);
        form->firstName()->setText(firstName);
        form->telNumber()->setText(number);
    }
    void press(const char *name)
    {
        auto *button = openWindow<DataForm>()->findChild<QPushButton *>(QString::fromLatin1(name));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private Q_SLOTS:

    void addOpensTheDialogForAdding()
    {
        start({});
        aTel::instance()->CmdAddNew_Click();
        DataForm *form = openWindow<DataForm>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QVERIFY(!form->cmUpdate()->isEnabled());
        QVERIFY(!form->isModal());

        // Modify while it is open fills it but leaves "Aggiorna" disabled.
        form->lastName()->setText("typed");
        start({line("Rossi", "Mario", "1")});
        aTel::instance()->CmdAddNew_Click();
        form = openWindow<DataForm>();
        form->lastName()->setText("typed");
        aTel::instance()->CmdAddNew_Click();
        QCOMPARE(openWindow<DataForm>(), form); // one dialog, its texts kept
        QCOMPARE(form->lastName()->text(), QString("typed"));
        showLetter('R');
        clickRow(0);
        aTel::instance()->Modify_Click();
        QCOMPARE(form->lastName()->text(), QString("Rossi"));
        QVERIFY(!form->cmUpdate()->isEnabled());
    }

    void deleteSelectedItems()
    {
        const QStringList lines{line("Rossi", "A", "1"), line("Ricci", "B", "2"),
                                line("Russo", "C", "3"), line("Romano", "D", "4")};
        start(lines);
        showLetter('R');
        QCOMPARE(listed(), (QStringList{lines[1], lines[3], lines[0], lines[2]}));
        clickRow(1);
        clickRow(3);
        aTel::instance()->cmdDelete()->click();
        QCOMPARE(listed(), (QStringList{lines[1], lines[0]}));
        QCOMPARE(tableLines(), (QStringList{lines[0], lines[1]}));
        QVERIFY(aTel::instance()->list1()->count() == 0);
        QCOMPARE(m_scope->dir.read("data.txt"), fileOf(lines)); // unchanged until a save
        aTel::instance()->Save_Click();
        QCOMPARE(m_scope->dir.read("data.txt"), fileOf({lines[0], lines[1]}));
    }

    void deleteDuplicates_data()
    {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QStringList>("after");
        const QString a = line("Rossi", "Mario", "1");
        const QString b = line("Bianchi", "Anna", "2");
        QTest::newRow("next to each other") << QStringList{b, a, a} << QStringList{b, a};
        QTest::newRow("another line between") << QStringList{a, b, a} << QStringList{a, b};
        QTest::newRow("three, middle one not") << QStringList{a, a, b, a} << QStringList{a, a, b};
    }
    void deleteDuplicates()
    {
        QFETCH(QStringList, table);
        QFETCH(QStringList, after);
        start(table);
        showLetter('R');
        const int before = list()->count();
        clickRow(0);
        aTel::instance()->Delete_Click();
        QCOMPARE(list()->count(), before - 1);
        QCOMPARE(tableLines(), after);
        // The list and the table agree: every item still listed is in the table.
        for (const QString &text : listed())
            QVERIFY(ContactTable::lastIndexOf(text) >= 0);
    }

    void deleteLeavesNoCurrentItem()
    {
        start({line("Rossi", "A", "1"), line("Russo", "B", "2"), line("Ricci", "C", "3")});
        showLetter('R');
        clickRow(1);
        aTel::instance()->CmdDelete_Click();
        QVERIFY(!list()->currentItem());
        // "Modifica" stays enabled, but there is nothing to open.
        aTel::instance()->CmdModify_Click();
        QVERIFY(!openWindow<DataForm>());
        QVERIFY(m_scope->boxes.calls().isEmpty());
    }

    void modifyAtStartDoesNothing()
    {
        start({line("Abate", "A", "1")});
        aTel::instance()->Modify_Click(); // the menu item is enabled at start
        QVERIFY(!openWindow<DataForm>());
    }

    void modifyFillsTheDialog()
    {
        const QString dup = line("Rossi", "Mario", "06 123");
        start({dup, line("Bianchi", "Anna", "2"), dup});
        showLetter('R');
        clickRow(1);
        aTel::instance()->CmdModify_Click();
        DataForm *form = openWindow<DataForm>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->lastName()->text(), QString("Rossi"));
        QCOMPARE(form->firstName()->text(), QString("Mario"));
        QCOMPARE(form->telNumber()->text(), QString("06 123"));
        QCOMPARE(form->currentItemIndex()->text(), QString("2")); // the later of the two
        QVERIFY(form->cmUpdate()->isEnabled());
    }

    // Modify opens the last selected contact, wherever the keyboard moved
    // the current item meanwhile; Ctrl+A selects nothing.
    void modifyOpensTheLastSelected_data()
    {
        QTest::addColumn<Rows>("clicks");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<Rows>("selected");
        QTest::addColumn<QString>("opened");
        // Listed as Ricci, Rinaldi, Rossi, Russo.
        QTest::newRow("arrows") << Rows{0} << "Down, Down" << Rows{0} << "Ricci";
        QTest::newRow("End") << Rows{1} << "End" << Rows{1} << "Rinaldi";
        QTest::newRow("Page Down, Home") << Rows{2} << "PgDown, Home" << Rows{2} << "Rossi";
        QTest::newRow("typed letters") << Rows{0} << "R, U, S" << Rows{0} << "Ricci";
        QTest::newRow("Space selects") << Rows{0} << "Down, Down, Space" << Rows{0, 2} << "Rossi";
        QTest::newRow("highest of several") << Rows{2, 0} << "Up" << Rows{0, 2} << "Rossi";
        QTest::newRow("Ctrl+A") << Rows{1} << "Ctrl+A" << Rows{1} << "Rinaldi";
        QTest::newRow("none selected") << Rows{1, 1} << "Down" << Rows{} << "";
    }
    void modifyOpensTheLastSelected()
    {
        QFETCH(Rows, clicks);
        QFETCH(QString, keys);
        QFETCH(Rows, selected);
        QFETCH(QString, opened);
        start({line("Rossi", "A", "1"), line("Ricci", "B", "2"), line("Russo", "C", "3"),
               line("Rinaldi", "D", "4")});
        showLetter('R');
        for (const int row : clicks)
            clickRow(row);
        list()->setFocus();
        QTest::qWait(QApplication::keyboardInputInterval() + 50); // no type-ahead yet
        QTest::keySequence(list(), QKeySequence(keys));
        Rows selectedNow;
        for (int row = 0; row < list()->count(); ++row) {
            if (list()->item(row)->isSelected())
                selectedNow.append(row);
        }
        QCOMPARE(selectedNow, selected);
        aTel::instance()->Modify_Click(); // the menu item: enabled whatever the selection
        DataForm *form = openWindow<DataForm>();
        QCOMPARE(form ? form->lastName()->text() : QString(), opened);
    }

    void addStoresTheContact()
    {
        start({line("Bianchi", "Anna", "2")});
        showLetter('R');
        aTel::instance()->CmdAddNew_Click();
        DataForm *form = openWindow<DataForm>();
        for (int round = 0; round < 2; ++round) {
            type(form, "Rossi", "Mario", "123");
            press("CmdAddMore");
        }
        QVERIFY(m_scope->boxes.calls().isEmpty());
        QCOMPARE(tableLines(),
                 (QStringList{line("Bianchi", "Anna", "2"), line("Rossi", "Mario", "123"),
                              line("Rossi", "Mario", "123")}));
        QCOMPARE(listed(),
                 (QStringList{line("Rossi", "Mario", "123"), line("Rossi", "Mario", "123")}));
        QVERIFY(form->isVisible());
        QVERIFY(form->lastName()->text().isEmpty());
        QVERIFY(form->firstName()->text().isEmpty());
        QVERIFY(form->telNumber()->text().isEmpty());
        QCOMPARE(m_scope->dir.read("data.txt"), fileOf({line("Bianchi", "Anna", "2")}));
    }

    void addDropsLeadingSpaces()
    {
        start({});
        aTel::instance()->CmdAddNew_Click();
        type(openWindow<DataForm>(), "Rossi", "   Mario", "  06 1");
        press("CmdAddMore");
        QCOMPARE(tableLines(), QStringList{line("Rossi", "Mario", "06 1")});
    }

    void addRefuses_data()
    {
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("title");
        const QString empty = "Nessun dato inserito";
        QTest::newRow("empty surname") << ""
                                       << "Mario"
                                       << "1" << empty << 16 << "Fai qualcosa";
        QTest::newRow("empty given name") << "Rossi"
                                          << ""
                                          << "1" << empty << 16 << "Fai qualcosa";
        QTest::newRow("empty number") << "Rossi"
                                      << "Mario"
                                      << "" << empty << 16 << "Fai qualcosa";
        QTest::newRow("number of spaces") << "Rossi"
                                          << "Mario"
                                          << "   " << empty << 16 << "Fai qualcosa";
        QTest::newRow("lowercase surname") << "rossi"
                                           << "Mario"
                                           << "1"
                                           << "Inserire solo Lettere ( A...Z)" << 0 << "Rubrio";
        QTest::newRow("accented capital") << QString::fromUtf8("Èrcole") << "Mario"
                                          << "1"
                                          << "Inserire solo Lettere ( A...Z)" << 0 << "Rubrio";
        QTest::newRow("long surname")
            << "Abcdefghijklmnop"
            << "Mario"
            << "1" << QString::fromUtf8("Il Cognome può avere al massimo 15 caratteri.") << 48
            << "Rubrio";
        QTest::newRow("long given name")
            << "Rossi"
            << "Abcdefghijklmnop"
            << "1" << QString::fromUtf8("Il Nome può avere al massimo 15 caratteri.") << 48
            << "Rubrio";
        QTest::newRow("comma in given name")
            << "Rossi"
            << "Mario, jr"
            << "1" << QString::fromUtf8("La virgola non è ammessa.") << 48 << "Rubrio";
        QTest::newRow("line break") << "Rossi"
                                    << "Mario"
                                    << "1\n2"
                                    << "Carattere non ammesso: U+000A" << 48 << "Rubrio";
    }
    void addRefuses()
    {
        QFETCH(QString, lastName);
        QFETCH(QString, firstName);
        QFETCH(QString, number);
        QFETCH(QString, message);
        QFETCH(int, style);
        QFETCH(QString, title);
        start({line("Bianchi", "Anna", "2")});
        aTel::instance()->CmdAddNew_Click();
        DataForm *form = openWindow<DataForm>();
        type(form, lastName, firstName, number);
        press("CmdAddMore");
        QCOMPARE(m_scope->boxes.calls().size(), 1);
        QCOMPARE(m_scope->boxes.calls()[0].prompt, message);
        QCOMPARE(m_scope->boxes.calls()[0].style, style);
        QCOMPARE(m_scope->boxes.calls()[0].title, title);
        QCOMPARE(ContactCount, qint16(1));
        QCOMPARE(form->lastName()->text(), lastName); // kept as typed
        QCOMPARE(form->telNumber()->text(), number);
    }

    void addToAFullTable()
    {
        QStringList lines;
        for (int i = 0; i < ContactTable::Capacity; ++i)
            lines.append(line("N" + QString::number(i), "x", "1"));
        start(lines);
        aTel::instance()->CmdAddNew_Click();
        type(openWindow<DataForm>(), "Rossi", "Mario", "1");
        press("CmdAddMore");
        QCOMPARE(m_scope->boxes.prompts(),
                 QStringList{QString::fromUtf8(
                     "Elenco pieno: non è possibile aggiungere altri contatti.")});
        QCOMPARE(m_scope->boxes.calls()[0].style, 48);
        QCOMPARE(ContactCount, qint16(ContactTable::Capacity));
        QCOMPARE(openWindow<DataForm>()->lastName()->text(), QString("Rossi"));
    }

    void updateRefuses_data()
    {
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("message");
        QTest::newRow("lowercase") << "rossi"
                                   << "Mario"
                                   << "Inserire solo Lettere ( A...Z)";
        QTest::newRow("digit") << "1Rossi"
                               << "Mario"
                               << "Inserire solo Lettere ( A...Z)";
        QTest::newRow("empty surname") << ""
                                       << "Mario"
                                       << "Inserire il Cognome.";
        QTest::newRow("no change") << "Rossi"
                                   << "Mario"
                                   << "Il Nome e' gia presente.";
        QTest::newRow("no change but leading spaces") << "Rossi"
                                                      << "  Mario"
                                                      << "Il Nome e' gia presente.";
        QTest::newRow("comma in surname")
            << "Rossi,B"
            << "Mario" << QString::fromUtf8("La virgola non è ammessa.");
    }
    void updateRefuses()
    {
        QFETCH(QString, lastName);
        QFETCH(QString, firstName);
        QFETCH(QString, message);
        const QString rossi = line("Rossi", "Mario", "1");
        start({rossi});
        showLetter('R');
        clickRow(0);
        aTel::instance()->CmdModify_Click();
        DataForm *form = openWindow<DataForm>();
        form->lastName()->setText(lastName);
        form->firstName()->setText(firstName);
        press("CmUpdate");
        QCOMPARE(m_scope->boxes.prompts(), QStringList{message});
        QCOMPARE(tableLines(), QStringList{rossi});
        QVERIFY(openWindow<DataForm>());
        QCOMPARE(m_scope->dir.read("data.txt"), fileOf({rossi}));
    }

    void updateSavesAndMovesToTheLetter()
    {
        const QString rossi = line("Rossi", "Mario", "1");
        const QString verdi = line("Verdi", "Ugo", "2");
        start({verdi, rossi});
        showLetter('R');
        clickRow(0);
        aTel::instance()->CmdModify_Click();
        QPointer<DataForm> form = openWindow<DataForm>();
        form->lastName()->setText("Bassi");
        form->telNumber()->setText("06 99");
        press("CmUpdate");
        QVERIFY(m_scope->boxes.calls().isEmpty());
        const QString bassi = line("Bassi", "Mario", "06 99");
        QCOMPARE(tableLines(), (QStringList{verdi, bassi}));
        QCOMPARE(m_scope->dir.read("data.txt"), fileOf({verdi, bassi}));
        QCOMPARE(aTel::instance()->scrollBar()->value(), 1);
        QCOMPARE(listed(), QStringList{bassi});
        QTRY_VERIFY(!form);
    }

    void updateFindsItsLineAfterDeletes()
    {
        const QString a = line("Abate", "A", "1");
        const QString rossi = line("Rossi", "Mario", "1");
        start({a, rossi});
        showLetter('R');
        clickRow(0);
        aTel::instance()->CmdModify_Click();
        QCOMPARE(openWindow<DataForm>()->currentItemIndex()->text(), QString("1"));
        // Meanwhile the main window deletes the line before it.
        showLetter('A');
        clickRow(0);
        aTel::instance()->CmdDelete_Click();
        openWindow<DataForm>()->telNumber()->setText("2");
        press("CmUpdate");
        QVERIFY(m_scope->boxes.calls().isEmpty());
        QCOMPARE(tableLines(), QStringList{line("Rossi", "Mario", "2")});
    }

    void updateOfADeletedContact()
    {
        const QString rossi = line("Rossi", "Mario", "1");
        const QString ricci = line("Ricci", "Anna", "2");
        start({rossi, ricci});
        showLetter('R');
        clickRow(1); // Rossi: the list is sorted
        aTel::instance()->CmdModify_Click();
        aTel::instance()->CmdDelete_Click(); // Rossi is still selected
        DataForm *form = openWindow<DataForm>();
        form->telNumber()->setText("3");
        press("CmUpdate");
        QCOMPARE(m_scope->boxes.prompts(),
                 QStringList{QString::fromUtf8("Il contatto da modificare non è più presente.")});
        QCOMPARE(m_scope->boxes.calls()[0].style, 48);
        QCOMPARE(tableLines(), QStringList{ricci});
        QVERIFY(openWindow<DataForm>());
        QCOMPARE(form->telNumber()->text(), QString("3"));
    }

    void updateWhoseSaveFails()
    {
        const QString rossi = line("Rossi", "Mario", "1");
        start({rossi});
        showLetter('R');
        clickRow(0);
        aTel::instance()->CmdModify_Click();
        QPointer<DataForm> form = openWindow<DataForm>();
        form->telNumber()->setText("2");
        {
            // No file can grow past a few bytes: the save fails.
            const FileSizeLimit full(8);
            QVERIFY(full.isSet());
            press("CmUpdate");
        }
        QCOMPARE(m_scope->boxes.calls().size(), 1);
        QVERIFY(m_scope->boxes.calls()[0].prompt.startsWith("Impossibile salvare data.txt: "));
        QCOMPARE(tableLines(), QStringList{line("Rossi", "Mario", "2")});
        QCOMPARE(listed(), QStringList{line("Rossi", "Mario", "2")});
        QTRY_VERIFY(!form);
    }

    void saveFromButtonAndMenu()
    {
        start({});
        aTel::instance()->CmdAddNew_Click();
        type(openWindow<DataForm>(), "Rossi", "Mario", "1");
        press("CmdAddMore");
        QAction *saveData = aTel::instance()->findChild<QAction *>("SaveData");
        QVERIFY(saveData);
        saveData->trigger();
        QCOMPARE(m_scope->dir.read("data.txt"), fileOf({line("Rossi", "Mario", "1")}));
        type(openWindow<DataForm>(), "Bianchi", "Anna", "2");
        press("CmdAddMore");
        aTel::instance()->findChild<QPushButton *>("Save")->click();
        QCOMPARE(m_scope->dir.read("data.txt"),
                 fileOf({line("Rossi", "Mario", "1"), line("Bianchi", "Anna", "2")}));
        QVERIFY(m_scope->boxes.calls().isEmpty()); // nothing shown on success
    }

    void exitWithTheDialogOpen()
    {
        m_scope->boxes.addAnswer(MsgBoxResult::Yes);
        start({});
        aTel::instance()->CmdAddNew_Click();
        type(openWindow<DataForm>(), "Rossi", "Mario", "1");
        press("CmdAddMore");
        type(openWindow<DataForm>(), "Verdi", "typed", "not added");
        aTel::instance()->CmdExit_Click();
        QVERIFY(m_scope->end.ended());
        QCOMPARE(m_scope->boxes.calls().size(), 1);
        QCOMPARE(m_scope->dir.read("data.txt"), fileOf({line("Rossi", "Mario", "1")}));
    }

    // Contacts added through the dialog, some deleted, saved and read back
    // by a fresh start come back exactly.
    void randomEditsSurviveARestart()
    {
        QRandomGenerator random(7121226);
        const QString letters = QString::fromUtf8("abcdeèéilmnoòrstuà' ");
        auto word = [&](int maxLength) {
            QString text;
            const int length = 1 + int(random.bounded(maxLength));
            while (text.size() < length)
                text += letters.at(int(random.bounded(letters.size())));
            return text;
        };
        start({});
        aTel::instance()->CmdAddNew_Click();
        for (int i = 0; i < 60; ++i) {
            const QString lastName = QChar(u'A' + int(random.bounded(4))) + word(12);
            const QString firstName = QChar(u'A' + int(random.bounded(26))) + word(10);
            const QString number = QString::number(random.bounded(1000000));
            type(openWindow<DataForm>(), lastName, firstName, number);
            press("CmdAddMore");
        }
        QVERIFY(m_scope->boxes.calls().isEmpty());
        QCOMPARE(ContactCount, qint16(60));
        for (char letter : {'A', 'B', 'C', 'D'}) {
            showLetter(letter);
            for (int row = list()->count() - 1; row >= 0; row -= 3)
                clickRow(row);
            aTel::instance()->CmdDelete_Click();
        }
        const QStringList kept = tableLines();
        QVERIFY(kept.size() < 60);
        aTel::instance()->Save_Click();
        deleteAllWindows();
        ContactTable::clear();
        aTel::instance(); // a fresh start reads the saved file
        QCOMPARE(tableLines(), kept);
    }
};

QTEST_MAIN(TestRecordCommands)
#include "tst_recordcommands.moc"
