#pragma once

#include <QByteArrayView>
#include <QString>

// Loads bytes as data.txt into the contact table, formats the table as a
// save would, loads that again and checks the same contacts come back.
// Returns an empty text when it holds, otherwise what went wrong.
QString CheckRoundTrip(QByteArrayView bytes);
