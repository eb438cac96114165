#pragma once

// The procedures of GlobalModule that work on the main window.
namespace GlobalModule {

// Refills the main window's list with the lines in use whose first character
// is the selected letter, in the order a person expects, and disables the
// modify and delete buttons (nothing is selected after a refill).
void RefreshContactList();

// Asks whether to save the changes, saves on Yes and ends the program. When
// the save does not happen (it failed, or the user kept another program's
// changes) it returns instead, and the program keeps running.
void ConfirmExit();

} // namespace GlobalModule
