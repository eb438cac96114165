#pragma once

#include <QString>

// Where the phone book lives. From a terminal, data.txt is in the current
// folder. The desktop's menu entry starts Rubrio with --menu: its data.txt is
// then in the user's data folder, $XDG_DATA_HOME/rubrio (normally
// ~/.local/share/rubrio), unless the home folder already holds the data.txt
// that earlier versions used from the menu, which stays where it is.
namespace DataFolder {

// True when the first argument is --menu; it is taken out of the arguments,
// so the rest are read as they would be without it.
bool TakeMenuOption(int &argc, char *argv[]);

// Makes the menu's data folder the current folder, creating it when needed.
// When it cannot be created, the home folder becomes current instead and the
// reason is returned; an empty text otherwise.
QString EnterMenuFolder();

} // namespace DataFolder
