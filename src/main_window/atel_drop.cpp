// Contact files dropped on the main window: .vcf files are imported into the
// table as "Aggiungi" adds contacts, and saving stays with the user.

#include "exchange/contactimport.h"
#include "main_window/atel.h"
#include "main_window/mainwindowmodule.h"
#include "platform/msgbox.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace {

// The local .vcf files a drop carries; nothing when it carries anything else.
QStringList vcardFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        const QString path = url.toLocalFile();
        if (!path.endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive))
            return {};
        paths.append(path);
    }
    return paths;
}

// Taken only as a copy: accepting a move would let the program the files
// come from delete them.
bool acceptAsCopy(QDropEvent *event)
{
    if (vcardFiles(event->mimeData()).isEmpty() ||
        !event->possibleActions().testFlag(Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

} // namespace

void aTel::dragEnterEvent(QDragEnterEvent *event)
{
    acceptAsCopy(event);
}

void aTel::dragMoveEvent(QDragMoveEvent *event)
{
    acceptAsCopy(event);
}

void aTel::dropEvent(QDropEvent *event)
{
    if (!acceptAsCopy(event))
        return;
    // After the drop has ended: a message box inside it would hold up the
    // program the files come from until the box is closed.
    const QStringList paths = vcardFiles(event->mimeData());
    QMetaObject::invokeMethod(
        this, [this, paths] { importDroppedFiles(paths); }, Qt::QueuedConnection);
}

void aTel::importDroppedFiles(const QStringList &paths)
{
    QStringList report;
    for (const QString &path : paths) {
        const ContactImport::Result result = ContactImport::addFile(path);
        report.append(result.error.isEmpty()
                          ? ContactImport::summary(result, QFileInfo(path).fileName())
                          : result.error);
    }
    GlobalModule::RefreshContactList();
    MsgBox(report.join(QLatin1String("\n\n")), MsgBoxStyle::Information);
}
