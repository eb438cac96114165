#pragma once

// The procedures of GlobalModule that work on the main window.
namespace GlobalModule {

// Refills the main window's list with the lines in use whose first character
// is the selected letter, in the order a person expects, and disables the
// modify and delete buttons (nothing is selected after a refill).
void RefreshContactList();

// Writes the table to data.txt. When another program changed the file since
// this one last read or wrote it, asks before overwriting; a failure is told
// with its reason. True when saved. The main window's save command, its
// exit and the entry dialog's update all save through here.
bool SaveContacts();

// Asks whether to save the changes, saves on Yes and ends the program. When
// the save does not happen (it failed, or the user kept another program's
// changes) it returns instead, and the program keeps running.
void ConfirmExit();

} // namespace GlobalModule
