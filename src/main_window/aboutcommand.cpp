// The main window's About command.

#include "atel.h"

void aTel::CmdAbout_Click()
{
    // Filled with the About box: shows it, not modal.
}
