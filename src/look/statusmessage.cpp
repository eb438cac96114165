#include "look/statusmessage.h"

#include <QAccessibleWidget>

namespace {

// A notification whose name is the message. The message is no accessible
// name set on the widget: a change of name would be an event of its own,
// which Qt's AT-SPI bridge passes on without the new name.
class StatusMessageAccessible : public QAccessibleWidget
{
public:
    explicit StatusMessageAccessible(StatusMessage *status)
        : QAccessibleWidget(status, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Name)
            return static_cast<StatusMessage *>(widget())->message();
        return QAccessibleWidget::text(type);
    }
};

QAccessibleInterface *accessibleStatusMessage(const QString &className, QObject *object)
{
    if (className != QLatin1String("StatusMessage"))
        return nullptr;
    return new StatusMessageAccessible(static_cast<StatusMessage *>(object));
}

} // namespace

StatusMessage::StatusMessage(QWidget *parent) : QWidget(parent)
{
    static bool accessibleInstalled = false;
    if (!accessibleInstalled) {
        QAccessible::installFactory(accessibleStatusMessage);
        accessibleInstalled = true;
    }
    setObjectName(QStringLiteral("StatusMessage"));
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

// Screen readers read a notification out when it shows, so each message
// shows it anew.
void StatusMessage::say(const QString &message)
{
    hide();
    m_message = message;
    show();
}
