#pragma once

#include "platform/seam.h"

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

// The forms runtime's message box: a prompt, a style number (buttons + icon
// + default button), an optional title (the application title when empty),
// an optional help file and context. Returns the code of the button pressed.
namespace MsgBoxStyle {
enum : int {
    OKOnly = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    DefaultButton2 = 256,
    DefaultButton3 = 512,
};
} // namespace MsgBoxStyle

namespace MsgBoxResult {
enum : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
} // namespace MsgBoxResult

struct MsgBoxCall
{
    QString prompt;
    int style = 0;
    QString title; // already resolved: the application title when none was given
    QString helpFile;
    int context = 0;
};

int MsgBox(const QString &prompt, int style = MsgBoxStyle::OKOnly, const QString &title = {},
           const QString &helpFile = {}, int context = 0);

// What shows the box and waits for the answer; tests install a scripted
// answerer here instead of a modal box.
extern Seam<int(const MsgBoxCall &)> MsgBoxAnswerer;

// The box a call would show, with its buttons, icon and default button
// decoded from the style. Escape and the close box answer only where the
// style has a Cancel button or a single OK button, as on Windows.
std::unique_ptr<QMessageBox> CreateMessageBox(const MsgBoxCall &call, QWidget *parent = nullptr);

// The button code a pressed QMessageBox button stands for.
int MsgBoxCode(int standardButton);
