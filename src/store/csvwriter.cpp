#include "store/csvwriter.h"

#include "store/contactexport.h"

namespace CsvWriter {

namespace {

QString field(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
        !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QByteArray format(const QStringList &lines)
{
    QString text = QStringLiteral("Cognome,Nome,Telefono\r\n");
    for (const QString &line : lines) {
        const GlobalModule::ContactFields fields = ContactExport::fieldsOf(line);
        text += field(fields.lastName) + u',' + field(fields.firstName) + u',' +
                field(fields.number) + QLatin1String("\r\n");
    }
    return text.toUtf8();
}

} // namespace CsvWriter
