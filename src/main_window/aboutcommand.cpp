// The main window's About command.

#include "about/frmabout.h"
#include "main_window/atel.h"

void aTel::CmdAbout_Click()
{
    frmAbout::Open();
}
