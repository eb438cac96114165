#include "app/datafolder.h"

#include "store/datafile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstring>

namespace DataFolder {

bool TakeMenuOption(int &argc, char *argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "--menu") != 0)
        return false;
    for (int i = 1; i < argc; ++i)
        argv[i] = argv[i + 1]; // argv[argc] is the null pointer, moved along
    --argc;
    return true;
}

QString EnterMenuFolder()
{
    const QString home = QDir::homePath();
    // Nothing is moved behind the user's back: the file an earlier version
    // kept in the home folder keeps being used there.
    if (QFileInfo(home + u'/' + DataFile::FileName).exists() ||
        QFileInfo(home + u'/' + DataFile::FileName).isSymLink()) {
        QDir::setCurrent(home);
        return {};
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/rubrio");
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        QDir::setCurrent(home);
        return QStringLiteral("impossibile creare la cartella %1: data.txt resta in %2.")
            .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(home));
    }
    return {};
}

} // namespace DataFolder
