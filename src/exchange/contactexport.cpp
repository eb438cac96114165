#include "exchange/contactexport.h"

#include "exchange/csvwriter.h"
#include "exchange/vcardwriter.h"
#include "store/filesave.h"

#include <QBuffer>
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

QString writeFile(const QString &path, const QStringList &lines, Format format)
{
    // Whole in memory first: the safe save needs every byte before it starts.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (format == Format::Csv)
        CsvWriter::write(lines, buffer);
    else
        VCardWriter::write(lines, buffer);
    return FileSave::write(path, buffer.data()).error;
}

} // namespace ContactExport
