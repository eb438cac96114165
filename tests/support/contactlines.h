#pragma once

#include "store/contacttable.h"
#include "store/globalmodule.h"

#include <QByteArray>
#include <QStringList>
#include <QTest>

// The contact line of one contact; a test that cares only about the surname
// leaves the rest to the defaults.
inline QString line(const QString &surname, const QString &name = QStringLiteral("Mario"),
                    const QString &number = QStringLiteral("06 1234"))
{
    return GlobalModule::FormatContactLine(surname, name, number);
}

// The contact lines of contacts written "Surname|Name|Number", or just
// "Surname" for line()'s defaults.
inline QStringList lines(const QStringList &contacts)
{
    QStringList result;
    for (const QString &contact : contacts) {
        const QStringList f = contact.split(u'|');
        result.append(f.size() == 1 ? line(f[0]) : line(f[0], f.value(1), f.value(2)));
    }
    return result;
}

// Contact lines as data.txt's bytes, built here rather than by the program's
// writer: each line in Latin-1, followed by CR LF. Windows-1252 agrees with
// Latin-1 except at 0x80-0x9F, so the lines may hold any character up to
// U+00FF but none from U+0080 to U+009F.
inline QByteArray fileOf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &text : lines)
        bytes += text.toLatin1() + "\r\n";
    return bytes;
}

// The lines in the table, in its order.
inline QStringList tableLines()
{
    return QStringList(GlobalModule::Contacts.begin(),
                       GlobalModule::Contacts.begin() + GlobalModule::ContactCount);
}

// Makes the table hold exactly these lines.
inline void setTable(const QStringList &lines)
{
    ContactTable::clear();
    for (const QString &text : lines)
        QVERIFY(ContactTable::append(text));
}
