#pragma once

// The procedures of GlobalModule that work on the main window.
namespace GlobalModule {

// Refills the main window's list with the lines in use whose first character
// is the selected letter, in the order a person expects, and disables the
// modify and delete buttons (nothing is selected after a refill).
void RefreshContactList();

// Writes the table to data.txt; on failure tells the user why. True when
// saved.
bool SaveContactsReporting();

// Asks whether to save the changes, saves on Yes and ends the program. After
// a save that failed it returns instead, and the program keeps running.
void ConfirmExit();

} // namespace GlobalModule
