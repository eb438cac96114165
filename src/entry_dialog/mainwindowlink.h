#pragma once

#include <QChar>

#include <optional>

// What the entry dialog asks of the main window, which provides it: once the
// dialog has changed the table, the main window selects letter, when one is
// given, and refills its list.
void ShowChangedContacts(std::optional<QChar> letter = std::nullopt);
