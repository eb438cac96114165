#include "mainwindowmodule.h"

#include "atel.h"
#include "globalmodule.h"
#include "lettergroups.h"
#include "msgbox.h"
#include "runtime.h"

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
}

bool SaveContactsReporting()
{
    const SaveResult result = SaveContacts();
    if (!result.ok)
        MsgBox(QStringLiteral("Impossibile salvare data.txt: ") + result.error,
               MsgBoxStyle::Critical);
    return result.ok;
}

void ConfirmExit()
{
    const int answer =
        MsgBox(QStringLiteral("Vuoi salvare le Modifiche ?"),
               MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2,
               QStringLiteral("Chiusura ..."), QStringLiteral("DEMO.HLP"), 1000);
    if (answer == MsgBoxResult::Yes && !SaveContactsReporting())
        return;
    Runtime::End();
}

} // namespace GlobalModule
