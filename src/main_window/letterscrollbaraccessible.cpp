#include "main_window/letterscrollbaraccessible.h"

#include "main_window/letterscrollbar.h"

LetterScrollBarAccessible::LetterScrollBarAccessible(LetterScrollBar *scrollBar)
    : QAccessibleWidget(scrollBar, QAccessible::SpinBox)
{
}

QAccessibleInterface *LetterScrollBarAccessible::Create(const QString &className, QObject *object)
{
    if (className != QLatin1String("LetterScrollBar"))
        return nullptr;
    return new LetterScrollBarAccessible(static_cast<LetterScrollBar *>(object));
}

LetterScrollBar *LetterScrollBarAccessible::scrollBar() const
{
    return static_cast<LetterScrollBar *>(widget());
}

void *LetterScrollBarAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString LetterScrollBarAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return LetterScrollBar::Letter(scrollBar()->value());
    return QAccessibleWidget::text(type);
}

QVariant LetterScrollBarAccessible::currentValue() const
{
    return scrollBar()->value();
}

void LetterScrollBarAccessible::setCurrentValue(const QVariant &value)
{
    scrollBar()->setValue(value.toInt());
}

QVariant LetterScrollBarAccessible::maximumValue() const
{
    return scrollBar()->maximum();
}

QVariant LetterScrollBarAccessible::minimumValue() const
{
    return scrollBar()->minimum();
}

QVariant LetterScrollBarAccessible::minimumStepSize() const
{
    return scrollBar()->singleStep();
}

void LetterScrollBarAccessible::selection(int /*selectionIndex*/, int *startOffset,
                                          int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int LetterScrollBarAccessible::selectionCount() const
{
    return 0;
}

void LetterScrollBarAccessible::addSelection(int /*startOffset*/, int /*endOffset*/) {}

void LetterScrollBarAccessible::removeSelection(int /*selectionIndex*/) {}

void LetterScrollBarAccessible::setSelection(int /*selectionIndex*/, int /*startOffset*/,
                                             int /*endOffset*/)
{
}

int LetterScrollBarAccessible::cursorPosition() const
{
    return 0;
}

void LetterScrollBarAccessible::setCursorPosition(int /*position*/) {}

QString LetterScrollBarAccessible::text(int startOffset, int endOffset) const
{
    const QString spoken = scrollBar()->spokenText();
    if (endOffset < 0 || endOffset > spoken.size())
        endOffset = int(spoken.size());
    startOffset = qBound(0, startOffset, endOffset);
    return spoken.mid(startOffset, endOffset - startOffset);
}

int LetterScrollBarAccessible::characterCount() const
{
    return int(scrollBar()->spokenText().size());
}

// The text is not drawn: it has no place on screen.
QRect LetterScrollBarAccessible::characterRect(int /*offset*/) const
{
    return {};
}

int LetterScrollBarAccessible::offsetAtPoint(const QPoint & /*point*/) const
{
    return -1;
}

void LetterScrollBarAccessible::scrollToSubstring(int /*startIndex*/, int /*endIndex*/) {}

QString LetterScrollBarAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = offset;
    *endOffset = offset;
    return {};
}
