#include "exchange/csvwriter.h"

#include "store/contactline.h"

#include <algorithm>

namespace CsvWriter {

namespace {

// A spreadsheet takes a cell that starts with =, @, + or - (or a tab or a
// CR before them) as a formula, which can fetch addresses or run commands.
// Phone numbers start with + too, and their characters compute nothing
// harmful, so only a + or - followed by anything else counts.
bool startsAFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first == u'=' || first == u'@' || first == u'\t' || first == u'\r')
        return true;
    if (first != u'+' && first != u'-')
        return false;
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return !c.isDigit() && !QStringView(u" ()./-+").contains(c);
    });
}

QString field(const QString &cell)
{
    // The apostrophe makes the spreadsheet show the text as it is.
    const QString text = startsAFormula(cell) ? u'\'' + cell : cell;
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
        !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

bool write(const QStringList &lines, QIODevice &device)
{
    QString text = QStringLiteral("Cognome,Nome,Telefono\r\n");
    for (const QString &line : lines) {
        const GlobalModule::ContactFields fields = ContactLine::fieldsOf(line);
        text += field(fields.lastName) + u',' + field(fields.firstName) + u',' +
                field(fields.number) + QLatin1String("\r\n");
    }
    const QByteArray bytes = text.toUtf8();
    return device.write(bytes) == bytes.size();
}

} // namespace CsvWriter
