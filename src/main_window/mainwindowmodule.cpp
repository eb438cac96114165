#include "main_window/mainwindowmodule.h"

#include "main_window/atel.h"
#include "main_window/contactlistbox.h"
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
    ContactListBox *list = window->contactListBox();
    list->setLines(groups.linesUnder(QChar(u'A' + window->scrollBar()->value())));
    window->cmdDelete()->setEnabled(false);
    window->cmdModify()->setEnabled(false);
    window->letterScrollBar()->setShownCount(list->count());
}

bool SaveContacts()
{
    using SaveResult = DataFile::SaveResult;
    DataFile &file = aTel::instance()->dataFile();
    SaveResult result = file.save();
    if (result.status == SaveResult::ChangedElsewhere) {
        const int answer = MsgBox(
            QStringLiteral("data.txt è stato modificato da un altro programma dopo l'apertura. "
                           "Sovrascriverlo con i contatti di questa finestra?"),
            MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2);
        if (answer != MsgBoxResult::Yes)
            return false;
        result = file.save(DataFile::SaveMode::Overwrite);
    }
    if (result.status == SaveResult::Failed)
        MsgBox(QStringLiteral("Impossibile salvare data.txt: ") + result.error +
                   (result.damaged ? QStringLiteral(". Il file potrebbe essere danneggiato: i "
                                                    "contatti restano in questa finestra, "
                                                    "salvali di nuovo.")
                                   : QString()),
               MsgBoxStyle::Critical);
    return result.ok();
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
