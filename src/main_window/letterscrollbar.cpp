#include "letterscrollbar.h"

#include "letterscrollbaraccessible.h"

#include <QAccessible>

LetterScrollBar::LetterScrollBar(QWidget *parent) : QScrollBar(Qt::Vertical, parent)
{
    static bool accessibleInstalled = false;
    if (!accessibleInstalled) {
        QAccessible::installFactory(LetterScrollBarAccessible::Create);
        accessibleInstalled = true;
    }
}

QString LetterScrollBar::Letter(int value)
{
    return QString(QChar(u'A' + value));
}
