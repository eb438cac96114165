#pragma once

#include <QAccessibleWidget>

// A top-level window of the program as assistive technology reads it: a
// window, holding the controls it shows. A control the window keeps hidden
// (a scratch box that hands texts between windows) is no part of it.
class WindowAccessible : public QAccessibleWidget
{
public:
    explicit WindowAccessible(QWidget *window);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QAccessibleInterface *> shownChildren() const;
};
