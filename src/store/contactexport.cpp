#include "store/contactexport.h"

#include "store/csvwriter.h"
#include "store/vcardwriter.h"

#include <QFileInfo>
#include <QSaveFile>

namespace ContactExport {

namespace {

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

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
    return {trimSpaces(fields.lastName), trimSpaces(fields.firstName), trimSpaces(fields.number)};
}

QString writeFile(const QString &path, const QStringList &lines, Format format)
{
    const QByteArray bytes =
        format == Format::Csv ? CsvWriter::format(lines) : VCardWriter::format(lines);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // Qt 6.4's commit() does not report a failed flush of its buffer
    // (QTBUG-75077), so the buffer is flushed and checked first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace ContactExport
