#include "exchange/vcardproperty.h"

#include "store/windows1252.h"

#include <QList>
#include <QStringDecoder>

namespace {

bool isWindows1252(const QByteArray &charset)
{
    const QByteArray name = charset.toUpper();
    return name == "WINDOWS-1252" || name == "CP1252";
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QList<QByteArrayView> VCardProperty::splitOutsideQuotes(QByteArrayView text, char sep)
{
    QList<QByteArrayView> parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            quoted = !quoted;
        } else if (text[i] == sep && !quoted) {
            parts.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    parts.append(text.sliced(start));
    return parts;
}

QString VCardProperty::text(QString *note) const
{
    const QByteArray bytes = valueBytes();
    if (!charset.isEmpty()) {
        // The same table as data.txt, whatever the Qt build's codecs.
        if (isWindows1252(charset))
            return Windows1252::decode(bytes);
        QStringDecoder declared(charset.constData());
        if (declared.isValid())
            return declared(bytes);
        if (note)
            *note = QStringLiteral("set di caratteri sconosciuto: %1.")
                        .arg(QString::fromLatin1(charset));
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(bytes);
    if (!utf8.hasError())
        return decoded;
    if (note)
        *note = QStringLiteral("testo non UTF-8 letto come Windows-1252.");
    return Windows1252::decode(bytes);
}

bool VCardProperty::parse(QByteArrayView line, VCardProperty &property)
{
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            colon = i;
    }
    if (colon < 0)
        return false;
    property.value = line.sliced(colon + 1);
    const QList<QByteArrayView> parts = splitOutsideQuotes(line.first(colon), ';');
    QByteArrayView name = parts.first().trimmed();
    name = name.sliced(name.lastIndexOf('.') + 1);
    property.name = name.toByteArray().toUpper();
    for (qsizetype i = 1; i < parts.size(); ++i)
        property.addParameter(parts[i]);
    return true;
}

// Soft line breaks are joined before this; a "=" left at the very end is
// one that had no line to join.
QByteArray VCardProperty::valueBytes() const
{
    if (!quotedPrintable)
        return value.toByteArray();
    QByteArray bytes;
    bytes.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size() && hexDigit(value[i + 1]) >= 0 &&
            hexDigit(value[i + 2]) >= 0) {
            bytes.append(char(hexDigit(value[i + 1]) * 16 + hexDigit(value[i + 2])));
            i += 2;
        } else if (!(value[i] == '=' && i == value.size() - 1)) {
            bytes.append(value[i]);
        }
    }
    return bytes;
}

void VCardProperty::setPref(int rank)
{
    if (rank > 0 && (pref == 0 || rank < pref))
        pref = rank;
}

// A parameter without "=": 2.1 writes types and the encoding bare.
void VCardProperty::addBare(const QByteArray &value)
{
    if (value == "QUOTED-PRINTABLE")
        quotedPrintable = true;
    else if (value == "PREF")
        setPref(1);
    else
        types.append(value);
}

void VCardProperty::addParameter(QByteArrayView parameter)
{
    const qsizetype equals = parameter.indexOf('=');
    if (equals < 0) {
        addBare(parameter.trimmed().toByteArray().toUpper());
        return;
    }
    const QByteArray key = parameter.first(equals).trimmed().toByteArray().toUpper();
    // Quotes only group a list: TYPE="cell,voice" is TYPE=cell,voice.
    QByteArray values = parameter.sliced(equals + 1).toByteArray();
    values.replace('"', QByteArray());
    for (const QByteArray &rawValue : values.split(',')) {
        const QByteArray value = rawValue.trimmed();
        if (key == "TYPE")
            addBare(value.toUpper());
        else if (key == "PREF")
            setPref(value.toInt());
        else if (key == "ENCODING")
            quotedPrintable = quotedPrintable || value.toUpper() == "QUOTED-PRINTABLE";
        else if (key == "CHARSET")
            charset = value;
    }
}
