#pragma once

#include <QFocusFrame>

// A ring just inside the edge of the control that has the keyboard focus, 2
// pixels wide, in the palette's highlight colour: every control shows its
// focus the same way, whatever the style draws. The list shows it without an
// item being current, and the scroll bar, which the style leaves unmarked,
// shows it too. One ring follows the focus through the program's windows; it
// takes no pointer input and assistive technology does not see it.
class FocusRing : public QFocusFrame
{
    Q_OBJECT

public:
    static constexpr int Width = 2;
    // How far in from the control's edge the ring starts.
    static constexpr int Inset = 1;
    // How far in from the control's edge the ring reaches: what a control
    // draws its text inside of, so the ring hides none of it.
    static constexpr int Reach = Inset + Width;

    // Starts the ring following the focus. Call once the QApplication exists;
    // calling again changes nothing.
    static void Install();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FocusRing();
};
