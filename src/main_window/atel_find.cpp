// The main window's Find command: the Find dialog over every contact, and the
// contact chosen there shown as a change of letter shows it, selected.

#include "find_dialog/frmfind.h"
#include "main_window/atel.h"
#include "main_window/contactlistbox.h"
#include "main_window/letterscrollbar.h"
#include "main_window/listorder.h"
#include "main_window/mainwindowmodule.h"
#include "store/globalmodule.h"

#include <QScrollBar>

void aTel::Find_Click()
{
    if (m_frmFind) {
        m_frmFind->activateWindow();
        return;
    }
    using GlobalModule::Contacts;
    m_frmFind = new frmFind(ListOrder::Sorted(QStringList(
                                Contacts.begin(), Contacts.begin() + GlobalModule::ContactCount)),
                            this);
    connect(m_frmFind, &frmFind::contactChosen, this, &aTel::showFoundContact);
    m_frmFind->show();
}

void aTel::showFoundContact(const QString &line)
{
    const int letter = line[0].unicode() - u'A';
    if (m_scrollBar->value() != letter)
        m_scrollBar->setValue(letter); // its change refills the list
    else
        GlobalModule::RefreshContactList();
    const QList<QListWidgetItem *> found =
        m_contactList->findItems(line, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty())
        return;
    QListWidgetItem *item = found.constFirst();
    item->setSelected(true);
    m_contactList->scrollToItem(item);
    // As a click on it: the record commands act on it.
    ContactList_Click();
    m_contactList->setFocus();
}
