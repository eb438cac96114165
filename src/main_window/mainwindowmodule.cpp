#include "main_window/mainwindowmodule.h"

#include "entry_dialog/mainwindowlink.h"
#include "entry_dialog/savecontacts.h"
#include "main_window/atel.h"
#include "main_window/lettergroups.h"
#include "main_window/letterscrollbar.h"
#include "platform/msgbox.h"
#include "platform/runtime.h"
#include "store/globalmodule.h"

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace GlobalModule {

void RefreshContactList()
{
    static LetterGroups groups;
    aTel *window = aTel::instance();
    QListWidget *list = window->contactList();
    list->clear();
    list->addItems(groups.linesUnder(QChar(u'A' + window->scrollBar()->value())));
    window->cmdDelete()->setEnabled(false);
    window->cmdModify()->setEnabled(false);
    window->letterScrollBar()->setShownCount(list->count());
}

void ConfirmExit()
{
    // A second request to leave (a signal, the session's end) while the
    // question is open adds nothing.
    static bool asking = false;
    if (asking)
        return;
    asking = true;
    const int answer =
        MsgBox(QStringLiteral("Vuoi salvare le Modifiche ?"),
               MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2,
               QStringLiteral("Chiusura ..."), QStringLiteral("DEMO.HLP"), 1000);
    const bool stay = answer == MsgBoxResult::Yes && !SaveContacts();
    asking = false;
    if (!stay)
        Runtime::End();
}

} // namespace GlobalModule

void ShowChangedContacts(std::optional<QChar> letter)
{
    if (letter)
        aTel::instance()->scrollBar()->setValue(letter->unicode() - u'A');
    GlobalModule::RefreshContactList();
}
