// The main window's About command.

#include "atel.h"
#include "frmabout.h"

void aTel::CmdAbout_Click()
{
    frmAbout::Open();
}
