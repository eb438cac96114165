#pragma once

#include <QListWidget>

// The list of contact lines: simple multiple selection, where a click with
// the left button or the space bar toggles one item and leaves the others
// alone, and no key selects them all. It tells the window of every change of
// selection the user makes, and of a right-button press, which changes
// neither selection nor current item. The current item is only ever what the
// window sets: taking the focus does not make the first row current.
// Assistive technology reads each contact by its fields, without the padding
// and the commas of the line.
class ContactListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit ContactListBox(QWidget *parent = nullptr);

    // Shows these contact lines, in this order, in place of the list's items.
    void setLines(const QStringList &lines);

    // Makes row the current item without touching any selection (-1: none).
    void setCurrentRowOnly(int row);
    // The selected rows, in ascending order.
    QList<int> selectedRows() const;

Q_SIGNALS:
    void selectionChangedByUser();
    void rightButtonPressed(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyboardSearch(const QString &search) override;

private:
    template <typename Handler> void asUserInput(Handler handler);
    void keepRowsInsideFocusRing();
};
