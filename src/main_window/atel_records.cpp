// The record commands of the main window: add, modify and delete, each from
// its button and from its menu item.

#include "entry_dialog/dataform.h"
#include "main_window/atel.h"
#include "main_window/contactlistbox.h"
#include "main_window/letterscrollbar.h"
#include "main_window/mainwindowmodule.h"
#include "platform/runtime.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace GlobalModule;

DataForm *aTel::entryDialog()
{
    DataForm *form = DataForm::instance();
    // The dialog changed the table: the list shows it, and a change is saved
    // at once.
    connect(form, &DataForm::contactAdded, this, &aTel::showAddedContact, Qt::UniqueConnection);
    connect(form, &DataForm::contactChanged, this, &aTel::showChangedContact, Qt::UniqueConnection);
    return form;
}

void aTel::showAddedContact()
{
    RefreshContactList();
}

void aTel::showChangedContact(QChar letter)
{
    SaveContacts(); // a failure is shown; the change stays in the table
    m_scrollBar->setValue(letter.unicode() - u'A');
    RefreshContactList();
}

void aTel::CmdAddNew_Click()
{
    DataForm *form = entryDialog();
    Runtime::ShowNotModal(form);
    form->cmUpdate()->setEnabled(false);
}

void aTel::CmdModify_Click()
{
    // The last selected contact, the one the click handler makes current.
    // The keyboard moves the current item without selecting it, so the
    // current item itself may be a contact the user never picked. Nothing
    // selected (at start, after a refill or a delete): nothing to open.
    const QList<int> rows = m_contactList->selectedRows();
    if (rows.isEmpty())
        return;
    const QString text = m_contactList->item(rows.last())->text();
    const ContactFields fields = SplitContactLine(text);
    DataForm *form = entryDialog();
    form->lastName()->setText(fields.lastName);
    form->firstName()->setText(fields.firstName);
    form->telNumber()->setText(fields.number);
    form->currentItemIndex()->setText(QString::number(ContactTable::lastIndexOf(text)));
    form->setEditedLine(text);
    Runtime::ShowNotModal(form);
}

void aTel::CmdDelete_Click()
{
    // The selected rows in order, from the selection's ranges: asking every
    // item whether it is selected searches the selection once per item.
    for (const int row : m_contactList->selectedRows())
        m_list1->addItem(QString::number(row));
    const QListWidgetItem *current = m_contactList->currentItem();
    bool currentRemoved = false;
    // Every selected item goes, so none stays selected: dropping the
    // selection first spares Qt updating it at each removal.
    m_contactList->clearSelection();
    // Last to first, so removing an item never shifts one still to be handled.
    for (int k = m_list1->count() - 1; k >= 0; --k) {
        const int row = m_list1->item(k)->text().toInt();
        QListWidgetItem *item = m_contactList->item(row);
        // One table line per list item, the last equal one (as modify picks),
        // so the list and the table never disagree.
        const int index = ContactTable::lastIndexOf(item->text());
        if (index >= 0)
            ContactTable::remove(index);
        currentRemoved = currentRemoved || item == current;
        delete m_contactList->takeItem(row);
    }
    m_list1->clear();
    if (currentRemoved)
        m_contactList->setCurrentRowOnly(-1);
}

void aTel::Add_Click()
{
    CmdAddNew_Click();
}

void aTel::Modify_Click()
{
    CmdModify_Click();
}

void aTel::Delete_Click()
{
    CmdDelete_Click();
}
