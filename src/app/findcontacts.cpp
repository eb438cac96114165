#include "app/findcontacts.h"

#include "exchange/contactfinder.h"
#include "main_window/listorder.h"
#include "store/globalmodule.h"

#include <QTextStream>

namespace FindContacts {

qsizetype Print(const QString &text)
{
    using GlobalModule::Contacts;
    const ContactFinder finder(ListOrder::Sorted(
        QStringList(Contacts.begin(), Contacts.begin() + GlobalModule::ContactCount)));
    const QList<qsizetype> found = finder.find(text);
    QTextStream out(stdout);
    for (const qsizetype i : found)
        out << finder.resultText(i) << '\n';
    return found.size();
}

} // namespace FindContacts
