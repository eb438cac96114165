#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Writes contact lines to a vCard or CSV file.
namespace ContactExport {

enum class Format { VCard, Csv };

// The format a file name asks for: .vcf or .vcard, .csv (in any case).
std::optional<Format> formatOf(const QString &path);

// Writes lines to path atomically, every error checked: on failure the file
// that was there stays whole. Returns the reason of a failure, or an empty
// text.
QString writeFile(const QString &path, const QStringList &lines, Format format);

} // namespace ContactExport
