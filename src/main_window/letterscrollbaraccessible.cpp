#include "main_window/letterscrollbaraccessible.h"

#include "main_window/letterscrollbar.h"

LetterScrollBarAccessible::LetterScrollBarAccessible(QScrollBar *scrollBar)
    : QAccessibleWidget(scrollBar, QAccessible::ScrollBar)
{
}

QAccessibleInterface *LetterScrollBarAccessible::Create(const QString &className, QObject *object)
{
    if (className != QLatin1String("LetterScrollBar"))
        return nullptr;
    return new LetterScrollBarAccessible(static_cast<LetterScrollBar *>(object));
}

QScrollBar *LetterScrollBarAccessible::scrollBar() const
{
    return static_cast<QScrollBar *>(widget());
}

void *LetterScrollBarAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
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
