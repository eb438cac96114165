#include "app/commandlinehelp.h"

#include <QStringList>

#include <algorithm>

namespace CommandLineHelp {

namespace {

constexpr qsizetype LineWidth = 79;

// "-h, --help" or "--import <FILE>".
QString names(const QCommandLineOption &option)
{
    QStringList written;
    for (const QString &name : option.names())
        written.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString text = written.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QStringLiteral(" <%1>").arg(option.valueName());
    return text;
}

// text in lines of at most width characters, broken at spaces.
QStringList wrapped(const QString &text, qsizetype width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines.append(line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

} // namespace

QCommandLineOption HelpOption()
{
    return QCommandLineOption({QStringLiteral("?"), QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("Mostra questo aiuto."));
}

QCommandLineOption VersionOption()
{
    return QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                              QStringLiteral("Mostra la versione."));
}

QCommandLineOption MenuOption()
{
    return QCommandLineOption(QStringLiteral("menu"),
                              QStringLiteral("Come dal menu delle applicazioni: usa i contatti "
                                             "di $XDG_DATA_HOME/rubrio. Va messa per prima."));
}

QString Text(const QString &description, const QList<QCommandLineOption> &options)
{
    QStringList out{QStringLiteral("Uso: rubrio [opzioni]")};
    out += wrapped(description, LineWidth);
    out.append(QString());
    out.append(QStringLiteral("Opzioni:"));
    qsizetype column = 0;
    for (const QCommandLineOption &option : options)
        column = std::max(column, names(option).size());
    const QString indent(2 + column + 2, u' ');
    for (const QCommandLineOption &option : options) {
        const QStringList lines = wrapped(option.description(), LineWidth - indent.size());
        out.append(QStringLiteral("  ") + names(option).leftJustified(column + 2) + lines.value(0));
        for (qsizetype i = 1; i < lines.size(); ++i)
            out.append(indent + lines[i]);
    }
    return out.join(u'\n') + u'\n';
}

} // namespace CommandLineHelp
