// What a screen reader is told about the main window and the entry dialog.

#include "atel.h"
#include "dialogfonts.h"
#include "entry_dialog/dataform.h"
#include "globalmodule.h"
#include "support/windowtestscope.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <memory>

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DialogFonts::Install(); }
    void init()
    {
        m_scope = std::make_unique<WindowTestScope>();
        QVERIFY(m_scope->dir.isValid());
    }
    void cleanup() { m_scope.reset(); }

    void controls_data();
    void controls();
    void listItemsAndHiddenBox();

private:
    std::unique_ptr<WindowTestScope> m_scope;
};

void TestAccessibility::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("value");

    const auto row = [](const char *name, QAccessible::Role role, const char *accessibleName,
                        const char *value) {
        QTest::newRow(name) << QString::fromLatin1(name) << int(role)
                            << QString::fromLatin1(accessibleName) << QString::fromLatin1(value);
    };
    // A null value is not checked.
    row("ContactList", QAccessible::List, "Contatti", nullptr);
    // Its value is the letter it stands at, R here.
    row("VScroll_Sel_Chr", QAccessible::ScrollBar, "Lettera", "R");
    row("DataForm", QAccessible::Window, "Inserimento", nullptr);
    // Text boxes are named by the labels beside them.
    row("LastName", QAccessible::EditableText, "Cognome", "Rossi");
    row("FirstName", QAccessible::EditableText, "Nome", "");
    row("TelNumber", QAccessible::EditableText, "Telefono", "");
}

void TestAccessibility::controls()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QString, accessibleName);
    QFETCH(QString, value);

    aTel::instance()->scrollBar()->setValue('R' - 'A');
    DataForm *form = DataForm::instance();
    form->lastName()->setText(QStringLiteral("Rossi"));
    QObject *object =
        name == form->objectName() ? form : aTel::instance()->findChild<QObject *>(name);
    if (!object)
        object = form->findChild<QObject *>(name);
    QVERIFY(object);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
    QVERIFY(accessible);
    QCOMPARE(int(accessible->role()), role);
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
    if (!value.isNull())
        QCOMPARE(accessible->text(QAccessible::Value), value);
}

void TestAccessibility::listItemsAndHiddenBox()
{
    // A contact is read by its fields, without the padding and commas. The
    // window first: creating it loads data.txt.
    aTel *window = aTel::instance();
    QVERIFY(GlobalModule::AppendContact(GlobalModule::FormatContactLine(
        QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("0612345"))));
    window->scrollBar()->setValue('R' - 'A');
    showActive(window);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(window->contactList());
    QVERIFY(list);
    QAccessibleInterface *item = list->child(0);
    QVERIFY(item);
    QCOMPARE(item->text(QAccessible::Name), QStringLiteral("Rossi Mario 0612345"));

    // The hidden box that hands the index over is no part of the dialog.
    DataForm *form = DataForm::instance();
    form->show();
    QAccessibleInterface *dialog = QAccessible::queryAccessibleInterface(form);
    QStringList children;
    for (int i = 0; i < dialog->childCount(); ++i)
        children.append(dialog->child(i)->object()->objectName());
    QCOMPARE(children, QStringList({"Label1", "LastName", "Label2", "FirstName", "Label3",
                                    "TelNumber", "CmUpdate", "CmdAddMore", "CmdCancel"}));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
