// rubrio-sync [URL]: the CardDAV sync that "rubrio --sync" runs. A program of
// its own, so the window never loads Qt Network and the libraries behind it.

#include "store/datafile.h"
#include "sync/carddavsync.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "rubrio: " << message << '\n';
    return CardDavSync::Outcome::Failed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() > 1)
        return fail(QStringLiteral("argomento non previsto: %1.").arg(arguments.at(1)));

    // data.txt's lock is held for the whole run: the side store beside it is
    // written under the same lock.
    DataFile file;
    const QString loadError = file.lockAndLoad();
    if (!loadError.isEmpty())
        return fail(loadError + QStringLiteral(" Niente è stato sincronizzato."));
    const CardDavSync::Outcome outcome = CardDavSync(file).run(arguments.value(0));
    if (outcome.status == CardDavSync::Outcome::Failed)
        return fail(outcome.error);
    QTextStream(stdout) << outcome.report << '\n';
    return outcome.status;
}
