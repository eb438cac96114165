#pragma once

#include <QByteArray>
#include <QString>

// data.txt is Windows-1252 on every platform, so a file moves between Windows
// and Linux unchanged. Every byte decodes to one character and back; the five
// bytes Windows-1252 leaves undefined map to the C1 controls of the same code.
namespace Windows1252 {

QString decode(QByteArrayView bytes);

// Characters that cannot be encoded become '?'. Callers check with
// canEncode() first; text decoded from a file always encodes back exactly.
QByteArray encode(QStringView text);

bool canEncode(char16_t c);

} // namespace Windows1252
