#include "mainwindowmodule.h"

#include "atel.h"
#include "globalmodule.h"
#include "msgbox.h"
#include "runtime.h"

#include <QCollator>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <vector>

namespace GlobalModule {

namespace {

// Case-insensitive, accented letters beside their base letter, in the user's
// language (Italian where the system names none).
QCollator listCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::Italian, QLocale::Italy);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Lines the collation holds equal are ordered by their exact text, so the
// order is total and the same on every refill.
QStringList sortedForDisplay(const QStringList &lines)
{
    const QCollator collator = listCollator();
    struct Keyed
    {
        QCollatorSortKey key;
        QString line;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(lines.size());
    for (const QString &line : lines)
        keyed.push_back({collator.sortKey(line), line});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.line < b.line;
    });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const Keyed &entry : keyed)
        sorted.append(entry.line);
    return sorted;
}

} // namespace

void RefreshContactList()
{
    aTel *window = aTel::instance();
    QListWidget *list = window->contactList();
    list->clear();
    const QChar letter(u'A' + window->scrollBar()->value());
    QStringList lines;
    for (int i = 0; i < ContactCount; ++i) {
        if (Contacts[i].startsWith(letter))
            lines.append(Contacts[i]);
    }
    list->addItems(sortedForDisplay(lines));
    window->cmdDelete()->setEnabled(false);
    window->cmdModify()->setEnabled(false);
}

bool SaveContactsReporting()
{
    const SaveResult result = SaveContacts();
    if (!result.ok)
        MsgBox(QStringLiteral("Impossibile salvare data.txt: ") + result.error,
               MsgBoxStyle::Critical);
    return result.ok;
}

void ConfirmExit()
{
    const int answer =
        MsgBox(QStringLiteral("Vuoi salvare le Modifiche ?"),
               MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2,
               QStringLiteral("Chiusura ..."), QStringLiteral("DEMO.HLP"), 1000);
    if (answer == MsgBoxResult::Yes && !SaveContactsReporting())
        return;
    Runtime::End();
}

} // namespace GlobalModule
