#include "sync/cardpatch.h"

#include "exchange/vcardproperty.h"
#include "exchange/vcardreader.h"
#include "exchange/vcardwriter.h"

#include <QList>

namespace CardPatch {

namespace {

QByteArray text(const QString &value)
{
    return VCardWriter::escape(value).toUtf8();
}

QByteArray fullName(const GlobalModule::ContactFields &fields)
{
    return text(QStringList{fields.firstName, fields.lastName}.join(u' ').trimmed());
}

// One content line: its physical bytes (line ends and folds included) and
// its text unfolded.
struct ContentLine
{
    QByteArrayView raw;
    QByteArray unfolded;
};

// A 2.1 quoted-printable value whose line ends in "=" goes on in the next.
bool softBreakFollows(const QByteArray &unfolded)
{
    VCardProperty property;
    return unfolded.endsWith('=') && VCardProperty::parse(unfolded, property) &&
           property.quotedPrintable;
}

QList<ContentLine> contentLines(QByteArrayView card)
{
    QList<ContentLine> lines;
    qsizetype pos = 0;
    while (pos < card.size()) {
        qsizetype end = pos;
        while (end < card.size() && card[end] != '\r' && card[end] != '\n')
            ++end;
        const QByteArrayView content = card.sliced(pos, end - pos);
        if (end < card.size())
            end += (card[end] == '\r' && end + 1 < card.size() && card[end + 1] == '\n') ? 2 : 1;
        const bool folded = content.startsWith(' ') || content.startsWith('\t');
        if (!lines.isEmpty() && (folded || softBreakFollows(lines.last().unfolded))) {
            ContentLine &last = lines.last();
            last.raw = QByteArrayView(last.raw.data(), card.data() + end - last.raw.data());
            if (!folded)
                last.unfolded.chop(1); // the soft break's "="
            last.unfolded.append(folded ? content.sliced(1) : content);
        } else {
            lines.append({card.sliced(pos, end - pos), content.toByteArray()});
        }
        pos = end;
    }
    return lines;
}

// N's value with its first two components replaced; the others, escapes
// and all, as they were.
QByteArray nameValue(QByteArrayView value, const GlobalModule::ContactFields &fields)
{
    QList<QByteArray> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\') {
            ++i;
        } else if (value[i] == ';') {
            parts.append(value.sliced(start, i - start).toByteArray());
            start = i + 1;
        }
    }
    parts.append(value.sliced(start).toByteArray());
    while (parts.size() < 5)
        parts.append(QByteArray());
    parts[0] = text(fields.lastName);
    parts[1] = text(fields.firstName);
    return parts.join(';');
}

bool isEncoded(const VCardProperty &property)
{
    return property.quotedPrintable || !property.charset.isEmpty();
}

// The value as it reads: a 2.1 value declared quoted-printable or in another
// charset, as plain UTF-8.
QByteArray plainValue(const VCardProperty &property)
{
    return isEncoded(property) ? property.text().toUtf8() : property.value.toByteArray();
}

// The line with a new value after its name and parameters, folded. The new
// value is plain UTF-8, so a quoted-printable encoding goes and a charset
// becomes UTF-8; every other parameter keeps its bytes.
QByteArray withValue(const QByteArray &unfolded, const VCardProperty &property,
                     const QByteArray &newValue)
{
    QByteArray head = unfolded.first(property.value.data() - unfolded.constData());
    if (isEncoded(property)) {
        head.chop(1); // the colon
        QByteArrayList kept;
        for (const QByteArrayView part : VCardProperty::splitOutsideQuotes(head, ';')) {
            const QByteArray upper = part.trimmed().toByteArray().toUpper();
            if (upper.startsWith("CHARSET="))
                kept.append("CHARSET=UTF-8");
            else if (upper != "QUOTED-PRINTABLE" && upper != "ENCODING=QUOTED-PRINTABLE")
                kept.append(part.toByteArray());
        }
        head = kept.join(';') + ':';
    }
    QByteArray out;
    VCardWriter::appendFolded(out, head + newValue);
    return out;
}

} // namespace

QByteArray create(const GlobalModule::ContactFields &fields, const QString &uid)
{
    QByteArray out("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    VCardWriter::appendFolded(out, "UID:" + text(uid));
    VCardWriter::appendFolded(out, "N:" + nameValue({}, fields));
    VCardWriter::appendFolded(out, "FN:" + fullName(fields));
    VCardWriter::appendFolded(out, "TEL:" + text(fields.number));
    out.append("END:VCARD\r\n");
    return out;
}

QByteArray apply(QByteArrayView card, const GlobalModule::ContactFields &fields, const QString &uid)
{
    const QList<VCardReader::Card> cards = VCardReader::parse(card);
    const VCardReader::Card now = cards.value(0);
    const bool nameChanged = now.lastName != fields.lastName || now.firstName != fields.firstName;
    const bool numberChanged = now.number != fields.number;
    bool hasN = false;
    bool hasFn = false;
    bool hasUid = false;
    int tel = 0;
    QByteArray out;
    for (const ContentLine &line : contentLines(card)) {
        VCardProperty property;
        const bool isProperty = VCardProperty::parse(line.unfolded, property);
        if (isProperty && property.name == "END" &&
            property.value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0) {
            if (!hasUid)
                VCardWriter::appendFolded(out, "UID:" + text(uid));
            if (!hasN)
                VCardWriter::appendFolded(out, "N:" + nameValue({}, fields));
            if (!hasFn)
                VCardWriter::appendFolded(out, "FN:" + fullName(fields));
            if (now.numberProperty < 0 && !fields.number.isEmpty())
                VCardWriter::appendFolded(out, "TEL:" + text(fields.number));
            out.append(line.raw);
        } else if (isProperty && property.name == "UID") {
            hasUid = true;
            out.append(line.raw);
        } else if (isProperty && property.name == "N" && !hasN) {
            hasN = true;
            out.append(nameChanged ? withValue(line.unfolded, property,
                                               nameValue(plainValue(property), fields))
                                   : line.raw.toByteArray());
        } else if (isProperty && property.name == "FN" && !hasFn) {
            hasFn = true;
            out.append(nameChanged ? withValue(line.unfolded, property, fullName(fields))
                                   : line.raw.toByteArray());
        } else if (isProperty && property.name == "TEL") {
            const bool ours = tel++ == now.numberProperty;
            if (ours && numberChanged) {
                const bool uri = property.value.trimmed().startsWith("tel:");
                out.append(withValue(line.unfolded, property,
                                     (uri ? "tel:" : "") + text(fields.number)));
            } else {
                out.append(line.raw);
            }
        } else {
            out.append(line.raw);
        }
    }
    return out;
}

} // namespace CardPatch
