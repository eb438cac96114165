#include "look/windowaccessible.h"

#include <QFocusFrame>
#include <QMenu>

WindowAccessible::WindowAccessible(QWidget *window) : QAccessibleWidget(window, QAccessible::Window)
{
}

// The child widgets Qt's own interfaces list (no windows, menus or focus
// frames), less those hidden on purpose.
QList<QWidget *> WindowAccessible::shownChildren() const
{
    QList<QWidget *> shown;
    for (QObject *object : widget()->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (child && !child->isWindow() && !qobject_cast<QFocusFrame *>(child) &&
            !qobject_cast<QMenu *>(child) && child->isVisibleTo(widget()))
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
    const QList<QWidget *> shown = shownChildren();
    if (index < 0 || index >= shown.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(shown.at(index));
}

int WindowAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(shownChildren().indexOf(qobject_cast<QWidget *>(child->object())));
}
