// The main window's About command.

#include "about/frmabout.h"
#include "main_window/atel.h"
#include "platform/runtime.h"

void aTel::CmdAbout_Click()
{
    Runtime::ShowNotModal(frmAbout::instance());
}
