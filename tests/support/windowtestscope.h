#pragma once

#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/endrecorder.h"
#include "support/scriptedmsgbox.h"
#include "support/tempcurrentdir.h"
#include "support/windowtest.h"

// What one window test runs in: a fresh current directory, message boxes
// answered by script and the program's end recorded. On destruction every
// window is deleted first, then the rest is restored and the contact table
// emptied.
struct WindowTestScope
{
    TempCurrentDir dir;
    ScriptedMsgBox boxes;
    EndRecorder end;

    ~WindowTestScope()
    {
        deleteAllWindows();
        ContactTable::clear();
    }
};
