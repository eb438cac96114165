#include "main_window/letterscrollbar.h"

#include "main_window/letterscrollbaraccessible.h"

#include <QAccessible>
#include <QKeyEvent>

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

void LetterScrollBar::setShownCount(int count)
{
    m_shownCount = count;
}

QString LetterScrollBar::spokenText() const
{
    QString shown;
    if (m_shownCount == 0)
        shown = QStringLiteral("nessun contatto");
    else if (m_shownCount == 1)
        shown = QStringLiteral("1 contatto");
    else
        shown = QStringLiteral("%1 contatti").arg(m_shownCount);
    return Letter(value()) + QStringLiteral(", ") + shown;
}

void LetterScrollBar::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString text = event->text();
    if (text.size() == 1 && !(event->modifiers() & commands)) {
        const char16_t letter = text.at(0).toUpper().unicode();
        if (letter >= u'A' && letter <= u'Z') {
            setValue(letter - u'A');
            event->accept();
            return;
        }
    }
    QScrollBar::keyPressEvent(event);
}
