#pragma once

#include <QAccessibleWidget>

class LetterScrollBar;

// The letter selector as assistive technology reads it: a spin button (a
// control that steps through values with the arrow keys) whose value is the
// letter it stands at. Screen readers read a spin button's text, not its
// number, when the value changes: the text is the letter and how many
// contacts the list shows under it. The value interface keeps the position
// as a number (0 to 25), which value-change events and the setting of the
// value rely on.
class LetterScrollBarAccessible : public QAccessibleWidget,
                                  public QAccessibleValueInterface,
                                  public QAccessibleTextInterface
{
public:
    explicit LetterScrollBarAccessible(LetterScrollBar *scrollBar);

    // The accessibility factory: an interface for a LetterScrollBar, else
    // nullptr.
    static QAccessibleInterface *Create(const QString &className, QObject *object);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // The text: read-only, no caret, no selection.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    LetterScrollBar *scrollBar() const;
};
