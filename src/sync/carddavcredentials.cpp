#include "sync/carddavcredentials.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace CardDavCredentials {

Login fromNetrc(const QString &text, const QString &host)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList words = text.split(space, Qt::SkipEmptyParts);
    Login login;
    bool inEntry = false;
    bool found = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (word == u"machine" || word == u"default") {
            if (found)
                break; // the entry for host ended
            inEntry = word == u"default" || words.value(i + 1) == host;
            if (word == u"machine")
                ++i;
            if (inEntry)
                found = true;
        } else if (word == u"macdef") {
            break; // macros follow; no more entries can be told apart safely
        } else if (inEntry && (word == u"login" || word == u"password")) {
            (word == u"login" ? login.user : login.password) = words.value(++i);
        }
    }
    return login;
}

Login forHost(const QString &host)
{
    const QString user = qEnvironmentVariable("RUBRIO_CARDDAV_USER");
    if (!user.isEmpty())
        return {user, qEnvironmentVariable("RUBRIO_CARDDAV_PASSWORD"), {}};
    const QString path = QDir::home().filePath(QStringLiteral(".netrc"));
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    bool isPrivate = !(info.permissions() & others);
#ifdef Q_OS_UNIX
    isPrivate = isPrivate && info.ownerId() == ::getuid();
#endif
    if (!isPrivate)
        return {{},
                {},
                QStringLiteral("%1 non viene letto: deve essere leggibile solo dal suo "
                               "proprietario (chmod 600 %1).")
                    .arg(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {
            {}, {}, QStringLiteral("impossibile leggere %1: %2.").arg(path, file.errorString())};
    return fromNetrc(QString::fromUtf8(file.readAll()), host);
}

} // namespace CardDavCredentials
