#include "entry_dialog/savecontacts.h"

#include "platform/msgbox.h"
#include "store/datafile.h"

namespace GlobalModule {

bool SaveContacts()
{
    using DataFile::SaveResult;
    SaveResult result = DataFile::save();
    if (result.status == SaveResult::ChangedElsewhere) {
        const int answer = MsgBox(
            QStringLiteral("data.txt è stato modificato da un altro programma dopo l'apertura. "
                           "Sovrascriverlo con i contatti di questa finestra?"),
            MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2);
        if (answer != MsgBoxResult::Yes)
            return false;
        result = DataFile::save(DataFile::FileName, DataFile::SaveMode::Overwrite);
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

} // namespace GlobalModule
