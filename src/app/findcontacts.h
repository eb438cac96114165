#pragma once

#include <QString>

// rubrio --find TEXT: the contacts of the table that text finds, as the Find
// dialog finds them.
namespace FindContacts {

// Prints each contact text finds on a line of its own, "Cognome Nome
// Numero", in the order of the main window's list; returns how many.
qsizetype Print(const QString &text);

} // namespace FindContacts
