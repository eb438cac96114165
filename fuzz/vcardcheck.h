#pragma once

#include <QByteArrayView>
#include <QString>

// Reads bytes as a vCard file, imports the cards into an empty table, and
// checks that every contact imported comes back unchanged when written as
// vCard and read again. Returns an empty text when it holds, otherwise what
// went wrong.
QString CheckVCard(QByteArrayView bytes);
