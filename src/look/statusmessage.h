#pragma once

#include <QWidget>

// A message for screen readers about what a command did, such as a contact
// stored, where nothing on screen says it in words. Assistive technology sees
// a notification that shows each time a message is said; on screen it takes
// no room and draws nothing.
class StatusMessage : public QWidget
{
    Q_OBJECT

public:
    explicit StatusMessage(QWidget *parent);

    void say(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};
