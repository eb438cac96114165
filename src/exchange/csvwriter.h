#pragma once

#include <QIODevice>
#include <QStringList>

// Writes contact lines as CSV (RFC 4180) in UTF-8 without a byte-order mark,
// for spreadsheets. ContactExport writes the file.
namespace CsvWriter {

// The header Cognome,Nome,Telefono, then one record per line, each ended by
// CR LF. A field holding a comma, a double quote or a line end is quoted,
// its quotes doubled. Spaces around a field are column padding. A field a
// spreadsheet would take as a formula gets an apostrophe before it; phone
// numbers stay as they are.
// False when the device did not take every byte.
bool write(const QStringList &lines, QIODevice &device);

} // namespace CsvWriter
