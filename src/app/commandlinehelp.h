#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

// The command line's help, in Italian throughout: Qt's own help option, its
// headings and its --help-all (which would list Qt's options, none of which
// the command line has) are not used.
namespace CommandLineHelp {

// -h, --help (and -?, as on Windows).
QCommandLineOption HelpOption();
// -v, --version.
QCommandLineOption VersionOption();
// --menu, which the program takes before the other options are read, and
// lists with them.
QCommandLineOption MenuOption();

// The help text: the usage line, description, then each option with its
// description, wrapped to 80 columns.
QString Text(const QString &description, const QList<QCommandLineOption> &options);

} // namespace CommandLineHelp
