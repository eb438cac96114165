#pragma once

#include <QByteArray>
#include <QString>

// data.txt is Windows-1252 on every platform, so a file moves between Windows
// and Linux unchanged. Every byte decodes to one character and back; the five
// bytes Windows-1252 leaves undefined map to the C1 controls of the same code.
namespace Windows1252 {

QString decode(QByteArrayView bytes);
// The same written to out, which has room for one character per byte;
// returns the position after them.
QChar *decodeTo(QByteArrayView bytes, QChar *out);

// Characters that cannot be encoded become '?'. Callers check with
// canEncode() first; text decoded from a file always encodes back exactly.
QByteArray encode(QStringView text);
// The same written to out, which has room for one byte per character;
// returns the position after them.
char *encodeTo(QStringView text, char *out);

bool canEncode(char16_t c);

// The first character of text that cannot be stored, or -1 when all can.
qsizetype firstUnencodable(QStringView text);

} // namespace Windows1252
