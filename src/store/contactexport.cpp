#include "store/contactexport.h"

#include "store/contactline.h"
#include "store/csvwriter.h"
#include "store/filesave.h"
#include "store/vcardwriter.h"

#include <QFileInfo>

namespace ContactExport {

std::optional<Format> formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard"))
        return Format::VCard;
    if (suffix == QLatin1String("csv"))
        return Format::Csv;
    return std::nullopt;
}

GlobalModule::ContactFields fieldsOf(const QString &line)
{
    const GlobalModule::ContactFields fields = GlobalModule::SplitContactLine(line);
    return {ContactLine::trimSpaces(fields.lastName), ContactLine::trimSpaces(fields.firstName),
            ContactLine::trimSpaces(fields.number)};
}

QString writeFile(const QString &path, const QStringList &lines, Format format)
{
    const QByteArray bytes =
        format == Format::Csv ? CsvWriter::format(lines) : VCardWriter::format(lines);
    return FileSave::write(path, bytes).error;
}

} // namespace ContactExport
