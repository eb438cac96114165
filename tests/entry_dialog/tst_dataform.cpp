#include "entry_dialog/dataform.h"
#include "platform/twips.h"
#include "store/fieldcheck.h"
#include "support/scriptedmsgbox.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The entry dialog as a window: its layout, its states and its keys.
class TestDataForm : public QObject
{
    Q_OBJECT

private:
    template <typename T>
    T *child(const char *name)
    {
        return DataForm::instance()->findChild<T *>(QString::fromLatin1(name));
    }

private Q_SLOTS:
    void cleanup() { delete openWindow<DataForm>(); }

    void window()
    {
        DataForm *form = DataForm::instance();
        QCOMPARE(form->objectName(), QString("DataForm"));
        QCOMPARE(form->windowTitle(), QString("Inserimento"));
        QVERIFY(form->isWindow());
        QVERIFY(!form->parentWidget()); // no owner: a task-bar entry of its own
        QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(form->geometry(), Twips::Rect(3225, 4395, 5580, 1545)); // the client area
        QCOMPARE(form->palette().color(QPalette::Window), QColor(0, 128, 128));
        QVERIFY(form->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Label1") << "Label1" << "Cognome" << QRect(120, 240, 975, 255);
        QTest::newRow("LastName") << "LastName" << "" << QRect(1080, 120, 3375, 375);
        QTest::newRow("Label2") << "Label2" << "Nome" << QRect(120, 720, 1095, 255);
        QTest::newRow("FirstName") << "FirstName" << "" << QRect(1080, 600, 3375, 375);
        QTest::newRow("Label3") << "Label3" << "Telefono" << QRect(120, 1200, 1095, 255);
        QTest::newRow("TelNumber") << "TelNumber" << "" << QRect(1080, 1080, 3375, 375);
        QTest::newRow("CmUpdate") << "CmUpdate" << "Aggiorna" << QRect(4560, 120, 975, 375);
        QTest::newRow("CmdAddMore") << "CmdAddMore" << "Aggiungi" << QRect(4560, 600, 975, 375);
        QTest::newRow("CmdCancel") << "CmdCancel" << "Annulla" << QRect(4560, 1080, 975, 375);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, twips);
        DataForm *form = DataForm::instance();
        form->show();
        QWidget *widget = form->findChild<QWidget *>(name);
        QVERIFY(widget);
        QVERIFY(widget->isVisible());
        QVERIFY(widget->isEnabled());
        QCOMPARE(widget->geometry(),
                 Twips::Rect(twips.x(), twips.y(), twips.width(), twips.height()));
        QString shown;
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            shown = label->text();
            QVERIFY(label->font().bold());
            QCOMPARE(label->font().pointSizeF(), 8.25);
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(128, 255, 255));
            QVERIFY(!label->autoFillBackground()); // the teal shows through
        } else if (auto *box = qobject_cast<QLineEdit *>(widget)) {
            shown = box->text();
            QVERIFY(!box->isReadOnly());
        } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
            shown = button->text();
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        QCOMPARE(shown, text);

        // Resizing moves and stretches nothing.
        const QRect before = widget->geometry();
        form->resize(form->size() * 2);
        QCOMPARE(widget->geometry(), before);
    }

    void hiddenIndexBox()
    {
        DataForm *form = DataForm::instance();
        form->show();
        QLineEdit *index = form->findChild<QLineEdit *>("CurrentItemIndex");
        QVERIFY(index);
        QCOMPARE(index->text(), QString("Text1"));
        QVERIFY(!index->isVisible());
    }

    void focusAndTabOrder()
    {
        DataForm *form = DataForm::instance();
        form->show();
        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>("LastName"));
        const QStringList order{"FirstName", "TelNumber", "CmUpdate",
                                "CmdCancel", "CmdAddMore", "LastName"};
        for (const QString &name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void twentyCharacterSurnameFitsTheBox()
    {
        QLineEdit *lastName = child<QLineEdit>("LastName");
        QTest::keyClicks(lastName, "Abcdefghijklmnopqrst");
        QCOMPARE(lastName->text(), QString("Abcdefghijklmnopqrst"));
    }

    void enterAndEscapeDoNothing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("text box") << "TelNumber";
        QTest::newRow("Aggiungi") << "CmdAddMore";
        QTest::newRow("Annulla") << "CmdCancel";
    }
    void enterAndEscapeDoNothing()
    {
        QFETCH(QString, focus);
        ScriptedMsgBox boxes;
        QPointer<DataForm> form = DataForm::instance();
        form->show();
        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QWidget *target = form->findChild<QWidget *>(focus);
        target->setFocus();
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
        QCoreApplication::processEvents();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QVERIFY(boxes.calls().isEmpty()); // "Aggiungi" with empty boxes would complain
    }

    void cancelDiscardsTheDialog()
    {
        QPointer<DataForm> form = DataForm::instance();
        form->show();
        form->lastName()->setText("Rossi");
        form->currentItemIndex()->setText("3");
        form->cmUpdate()->setEnabled(false);
        QTest::mouseClick(child<QPushButton>("CmdCancel"), Qt::LeftButton);
        QTRY_VERIFY(!form);
        DataForm *again = DataForm::instance();
        QVERIFY(again->lastName()->text().isEmpty());
        QCOMPARE(again->currentItemIndex()->text(), QString("Text1"));
        QVERIFY(again->cmUpdate()->isEnabled());
    }

    void closeBoxDiscardsTheDialog()
    {
        QPointer<DataForm> form = DataForm::instance();
        form->show();
        QVERIFY(form->close());
        QTRY_VERIFY(!form);
    }

    void refusedCharacters_data()
    {
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("accents and euro are fine")
            << QString::fromUtf8("Nicolò") << QString::fromUtf8("André") << QString::fromUtf8("€ 1")
            << "";
        QTest::newRow("pasted line break")
            << "Rossi" << "Mario\nLuigi" << "1" << "Carattere non ammesso: U+000A";
        QTest::newRow("tab in number") << "Rossi" << "Mario" << "06\t1" << "Carattere non ammesso: U+0009";
        QTest::newRow("cyrillic") << QString::fromUtf8("Жуков") << "A" << "1"
                                  << QString::fromUtf8("Carattere non ammesso: Ж");
        QTest::newRow("emoji") << "Rossi" << "A" << QString::fromUtf8("1😀")
                               << QString::fromUtf8("Carattere non ammesso: 😀");
        QTest::newRow("zero-width space") << "Rossi" << QString::fromUtf8("A\u200B") << "1"
                                          << "Carattere non ammesso: U+200B";
        QTest::newRow("C1 control") << "Rossi" << "A" << QString(QChar(0x81))
                                    << "Carattere non ammesso: U+0081";
    }
    void refusedCharacters()
    {
        QFETCH(QString, lastName);
        QFETCH(QString, firstName);
        QFETCH(QString, number);
        QFETCH(QString, message);
        QCOMPARE(FieldCheck::Characters(lastName, firstName, number), message);
    }
};

QTEST_MAIN(TestDataForm)
#include "tst_dataform.moc"
