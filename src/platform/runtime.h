#pragma once

#include "platform/seam.h"

#include <QString>

class QCoreApplication;
class QWidget;

// The parts of the forms runtime and the operating system that are not
// windows: ending the program, starting another one, testing for a file.
namespace Runtime {

// Ends the program at once: every window closes without further events and
// the event loop stops. Marks the program as ending, then calls EndHandler,
// which tests replace.
void End();
extern Seam<void()> EndHandler;
// True once End has run: windows closing after it ask nothing.
bool Ending();
// Resets Ending() (tests start the program again in the same process).
void ResetEnding();
// Deletes every top-level window, whichever were created.
void DeleteAllWindows();
// Shows window without blocking the others, raised and active.
void ShowNotModal(QWidget *window);

// Starts command (the program, then its arguments, split as a shell would)
// without waiting for it; window style 1 is a normal window with the focus.
// False when it cannot be started.
extern Seam<bool(const QString &command, int windowStyle)> Shell;

// The file test: the name of the normal file at path, or an empty text when
// there is none.
extern Seam<QString(const QString &path)> Dir;

// Loads Qt's own translations for the system language, when installed, so
// the standard button texts follow it.
void InstallQtTranslations(QCoreApplication &app);

} // namespace Runtime
