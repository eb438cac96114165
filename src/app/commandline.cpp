#include "app/commandline.h"

#include "app/commandlinehelp.h"
#include "app/findcontacts.h"
#include "exchange/contactexport.h"
#include "exchange/contactimport.h"
#include "platform/appinfo.h"
#include "platform/runtime.h"
#include "store/contacttable.h"
#include "store/datafile.h"
#include "store/filemetadata.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include <cstring>

namespace CommandLine {

namespace {

enum Status { Done = 0, CardsLeftOut = 1, NothingFound = 1, Failed = 2 };

int fail(const QString &message)
{
    QTextStream(stderr) << "rubrio: " << message << '\n';
    return Failed;
}

// DataFile's lockAndLoad, and for a run that needs data.txt, its absence.
QString lockAndLoad(DataFile &file, bool mustExist)
{
    DataFile::LoadResult loaded;
    const QString error = file.lockAndLoad(&loaded);
    if (error.isEmpty() && mustExist && loaded.status == DataFile::LoadResult::Missing)
        return QStringLiteral("data.txt non c'è in %1: nessun contatto da esportare.")
            .arg(QDir::toNativeSeparators(QDir::currentPath()));
    return error;
}

int importContacts(const QString &path, bool dryRun)
{
    DataFile file;
    const QString loadError = lockAndLoad(file, false);
    if (!loadError.isEmpty())
        return fail(loadError + QStringLiteral(" Nessun contatto importato."));
    const ContactImport::Result result = ContactImport::addFile(path);
    if (!result.error.isEmpty())
        return fail(result.error);
    QString report = ContactImport::summary(result, path);
    if (dryRun) {
        QStringList lines{QStringLiteral("Prova: si importerebbero %1 contatti da %2; data.txt "
                                         "non è stato modificato.")
                              .arg(result.imported)
                              .arg(path)};
        lines += result.report;
        report = lines.join(u'\n');
    } else if (result.imported > 0) {
        const DataFile::SaveResult saved = file.save();
        if (!saved.ok())
            return fail(saved.report(QStringLiteral("l'importazione")));
    }
    QTextStream(stdout) << report << '\n';
    return result.leftOut > 0 ? CardsLeftOut : Done;
}

int exportContacts(const QString &path)
{
    const std::optional<ContactExport::Format> format = ContactExport::formatOf(path);
    if (!format)
        return fail(QStringLiteral("%1: il file deve finire in .vcf (vCard) o .csv.").arg(path));
    DataFile file;
    const QString loadError = lockAndLoad(file, true);
    if (!loadError.isEmpty())
        return fail(loadError);
    if (FileMetadata::isSameFile(path, DataFile::FileName))
        return fail(
            QStringLiteral("%1 è data.txt stesso: l'esportazione non lo sovrascrive.").arg(path));
    const QStringList lines = ContactTable::allLines();
    const QString error = ContactExport::writeFile(path, lines, *format);
    if (!error.isEmpty())
        return fail(QStringLiteral("impossibile scrivere %1: %2.").arg(path, error));
    QTextStream(stdout)
        << QStringLiteral("Esportati %1 contatti in %2.").arg(lines.size()).arg(path) << '\n';
    return Done;
}

// The sync is a program of its own, beside this one (in libexec once
// installed on Unix), so the window never loads Qt Network. It takes the
// terminal as it is and its exit status is this run's.
int syncContacts(const QString &url)
{
    const QString here = QCoreApplication::applicationDirPath();
    const QString program = QStandardPaths::findExecutable(
        QStringLiteral("rubrio-sync"), {here, here + QStringLiteral("/../libexec/rubrio")});
    if (program.isEmpty())
        return fail(QStringLiteral("manca il programma rubrio-sync accanto a rubrio: niente è "
                                   "stato sincronizzato."));
    QProcess sync;
    sync.setProcessChannelMode(QProcess::ForwardedChannels);
    sync.setInputChannelMode(QProcess::ForwardedInputChannel);
    sync.start(program, url.isEmpty() ? QStringList() : QStringList{url});
    if (!sync.waitForStarted(-1) || !sync.waitForFinished(-1) ||
        sync.exitStatus() != QProcess::NormalExit)
        return fail(QStringLiteral("rubrio-sync si è interrotto: %1.").arg(sync.errorString()));
    return sync.exitCode();
}

} // namespace

int Unexpected(const QStringList &words)
{
    return fail(QStringLiteral("argomento non previsto: %1. (rubrio --help elenca le opzioni)")
                    .arg(words.constFirst()));
}

bool Requested(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (std::strncmp(argument, "--", 2) == 0 || std::strcmp(argument, "-h") == 0 ||
            std::strcmp(argument, "-?") == 0 || std::strcmp(argument, "-v") == 0)
            return true;
    }
    return false;
}

int Run(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // A name that is not text in the system's encoding would be read as
    // another name, and a file of that other name written.
    for (int i = 1; i < argc; ++i) {
        if (QFile::encodeName(QString::fromLocal8Bit(argv[i])) != QByteArrayView(argv[i]))
            return fail(QStringLiteral("l'argomento %1 contiene byte che non sono testo UTF-8: "
                                       "rinominare il file.")
                            .arg(QString::fromLocal8Bit(argv[i])));
    }
    QCoreApplication::setApplicationName(App::Title());
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(App::Major).arg(App::Minor).arg(App::Revision));
    Runtime::InstallQtTranslations(app);

    QCommandLineParser parser;
    const QString description =
        QStringLiteral("Rubrica telefonica. Senza opzioni apre la finestra; i contatti sono in "
                       "data.txt, nella cartella corrente. Con --menu, come dal menu delle "
                       "applicazioni, sono in $XDG_DATA_HOME/rubrio/data.txt (di solito "
                       "~/.local/share/rubrio), o in ~/data.txt se c'è già.");
    const QCommandLineOption help = CommandLineHelp::HelpOption();
    const QCommandLineOption version = CommandLineHelp::VersionOption();
    const QCommandLineOption importOption(
        QStringLiteral("import"),
        QStringLiteral("Aggiunge a data.txt i contatti del file vCard FILE."),
        QStringLiteral("FILE"));
    const QCommandLineOption dryRunOption(
        QStringLiteral("dry-run"),
        QStringLiteral("Con --import: mostra cosa verrebbe importato, senza salvare."));
    const QCommandLineOption exportOption(
        QStringLiteral("export"),
        QStringLiteral("Scrive i contatti di data.txt in FILE: vCard 3.0 se finisce in .vcf, CSV "
                       "se finisce in .csv."),
        QStringLiteral("FILE"));
    const QCommandLineOption findOption(
        QStringLiteral("find"),
        QStringLiteral("Mostra i contatti che contengono TESTO nel cognome, nel nome o nel numero; "
                       "esce con 1 se non ne trova."),
        QStringLiteral("TESTO"));
    const QCommandLineOption syncOption(
        QStringLiteral("sync"),
        QStringLiteral("Sincronizza data.txt con la rubrica CardDAV all'indirizzo URL, che viene "
                       "ricordato: le volte dopo basta rubrio --sync. Nome utente e password da "
                       "~/.netrc o da RUBRIO_CARDDAV_USER e RUBRIO_CARDDAV_PASSWORD."));
    parser.addOptions(
        {help, version, importOption, dryRunOption, exportOption, findOption, syncOption});

    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText() + QStringLiteral(" (rubrio --help elenca le opzioni)"));
    if (parser.isSet(help)) {
        QTextStream(stdout) << CommandLineHelp::Text(
            description, {help, version, CommandLineHelp::MenuOption(), importOption, dryRunOption,
                          exportOption, findOption, syncOption});
        return Done;
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << App::Title() << ' ' << QCoreApplication::applicationVersion()
                            << '\n';
        return Done;
    }
    const QStringList positional = parser.positionalArguments();
    const bool sync = parser.isSet(syncOption);
    if (positional.size() > (sync ? 1 : 0))
        return Unexpected(positional.mid(sync ? 1 : 0));
    const QStringList imports = parser.values(importOption);
    const QStringList exports = parser.values(exportOption);
    const QStringList finds = parser.values(findOption);
    const qsizetype syncs = parser.optionNames().count(u"sync"_qs);
    if (imports.size() + exports.size() + finds.size() + syncs != 1)
        return fail(QStringLiteral(
            "indicare un solo --import FILE, --export FILE, --find TESTO o --sync [URL]."));
    if (parser.isSet(dryRunOption) && imports.isEmpty())
        return fail(QStringLiteral("--dry-run vale solo con --import."));
    if (sync)
        return syncContacts(positional.value(0));
    if (!imports.isEmpty())
        return importContacts(imports.constFirst(), parser.isSet(dryRunOption));
    if (!finds.isEmpty()) {
        DataFile file;
        const QString loadError = lockAndLoad(file, false);
        if (!loadError.isEmpty())
            return fail(loadError);
        file.unlock();
        return FindContacts::Print(finds.constFirst()) > 0 ? Done : NothingFound;
    }
    return exportContacts(exports.constFirst());
}

} // namespace CommandLine
