#pragma once

#include <QAccessibleWidget>

class QScrollBar;

// The letter selector as assistive technology reads it: a scroll bar whose
// value is read as the letter it stands at. The value interface keeps the
// position as a number (0 to 25), which value-change events and the setting
// of the value rely on.
class LetterScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit LetterScrollBarAccessible(QScrollBar *scrollBar);

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

private:
    QScrollBar *scrollBar() const;
};
