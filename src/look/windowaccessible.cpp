#include "look/windowaccessible.h"

#include <QWidget>

WindowAccessible::WindowAccessible(QWidget *window) : QAccessibleWidget(window, QAccessible::Window)
{
}

// The children Qt's own interface lists, less the controls the window keeps
// hidden on purpose.
QList<QAccessibleInterface *> WindowAccessible::shownChildren() const
{
    QList<QAccessibleInterface *> shown;
    for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
        QAccessibleInterface *child = QAccessibleWidget::child(i);
        const auto *control = child ? qobject_cast<QWidget *>(child->object()) : nullptr;
        if (control && control->isVisibleTo(widget()))
            shown.append(child);
    }
    return shown;
}

int WindowAccessible::childCount() const
{
    return int(shownChildren().size());
}

QAccessibleInterface *WindowAccessible::child(int index) const
{
    const QList<QAccessibleInterface *> shown = shownChildren();
    return index >= 0 && index < shown.size() ? shown.at(index) : nullptr;
}

int WindowAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return int(shownChildren().indexOf(const_cast<QAccessibleInterface *>(child)));
}
