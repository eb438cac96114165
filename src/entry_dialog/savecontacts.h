#pragma once

// The save that every window uses: the entry dialog's update, the main
// window's save command and its exit. It stands here, below the main window,
// so both reach it.
namespace GlobalModule {

// Writes the table to data.txt. When another program changed the file since
// this one last read or wrote it, asks before overwriting; a failure is told
// with its reason. True when saved.
bool SaveContacts();

} // namespace GlobalModule
