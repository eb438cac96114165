#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

// One content line of a vCard file, unfolded: its name without the group,
// the parameters the reader uses, in their 2.1 (TEL;CELL;PREF), 3.0
// (TYPE=cell,pref) and 4.0 (TYPE="cell,voice";PREF=1) forms, and the value.
struct VCardProperty
{
    QByteArray name;      // upper case: item1.tel is TEL
    QByteArrayList types; // upper case
    int pref = 0;         // 1 is the most preferred; 0 when not preferred at all
    bool quotedPrintable = false;
    QByteArray charset;
    QByteArrayView value; // the raw value, a view into the line

    // The value starts at the first colon outside double quotes. False for a
    // line that is not a property.
    static bool parse(QByteArrayView line, VCardProperty &property);

    // The value's bytes, quoted-printable decoded where so declared.
    QByteArray valueBytes() const;
    // The value as text: decoded as the property declares, else as UTF-8
    // when it is valid UTF-8, else as Windows-1252, the usual encoding of
    // older exports. note, when given, says what had to be guessed.
    QString text(QString *note = nullptr) const;

    // Parts of text separated by sep where it stands outside double quotes.
    static QList<QByteArrayView> splitOutsideQuotes(QByteArrayView text, char sep);

private:
    void setPref(int rank);
    void addBare(const QByteArray &value);
    void addParameter(QByteArrayView parameter);
};
