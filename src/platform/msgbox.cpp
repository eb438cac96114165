#include "platform/msgbox.h"

#include "platform/appinfo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

#include <array>

namespace {

using Button = QMessageBox::StandardButton;

struct ButtonSet
{
    std::array<Button, 3> buttons;
    int count;
    bool escapable; // has a Cancel button or is a single OK button
};

ButtonSet buttonsOf(int style)
{
    switch (style & 7) {
    case MsgBoxStyle::OKCancel:
        return {{QMessageBox::Ok, QMessageBox::Cancel}, 2, true};
    case MsgBoxStyle::AbortRetryIgnore:
        return {{QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}, 3, false};
    case MsgBoxStyle::YesNoCancel:
        return {{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, 3, true};
    case MsgBoxStyle::YesNo:
        return {{QMessageBox::Yes, QMessageBox::No}, 2, false};
    case MsgBoxStyle::RetryCancel:
        return {{QMessageBox::Retry, QMessageBox::Cancel}, 2, true};
    default:
        return {{QMessageBox::Ok}, 1, true};
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case MsgBoxStyle::Critical:
        return QMessageBox::Critical;
    case MsgBoxStyle::Question:
        return QMessageBox::Question;
    case MsgBoxStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Qt lets Escape and the close box pick the "No" of a Yes/No box; the
// runtime's box does not, so neither can answer a question by accident.
class RuntimeMessageBox : public QMessageBox
{
public:
    RuntimeMessageBox(bool escapable, QWidget *parent) : QMessageBox(parent), m_escapable(escapable)
    {
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!m_escapable && event->key() == Qt::Key_Escape)
            return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (!m_escapable) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_escapable;
};

int showModal(const MsgBoxCall &call)
{
    const std::unique_ptr<QMessageBox> box = CreateMessageBox(call, QApplication::activeWindow());
    box->exec();
    QAbstractButton *clicked = box->clickedButton();
    return clicked ? MsgBoxCode(box->standardButton(clicked)) : MsgBoxResult::Cancel;
}

} // namespace

Seam<int(const MsgBoxCall &)> MsgBoxAnswerer(showModal);

int MsgBox(const QString &prompt, int style, const QString &title, const QString &helpFile,
           int context)
{
    const MsgBoxCall call{prompt, style, title.isEmpty() ? App::Title() : title, helpFile, context};
    return MsgBoxAnswerer(call);
}

std::unique_ptr<QMessageBox> CreateMessageBox(const MsgBoxCall &call, QWidget *parent)
{
    const ButtonSet set = buttonsOf(call.style);
    auto box = std::make_unique<RuntimeMessageBox>(set.escapable, parent);
    box->setWindowTitle(call.title);
    box->setText(call.prompt);
    box->setTextFormat(Qt::PlainText);
    box->setIcon(iconOf(call.style));
    for (int i = 0; i < set.count; ++i)
        box->addButton(set.buttons[i]);
    const int defaultIndex = (call.style & 0x300) >> 8;
    box->setDefaultButton(set.buttons[defaultIndex < set.count ? defaultIndex : 0]);
    if (set.escapable)
        box->setEscapeButton(set.count == 1 ? set.buttons[0] : QMessageBox::Cancel);
    return box;
}

int MsgBoxCode(int standardButton)
{
    switch (standardButton) {
    case QMessageBox::Ok:
        return MsgBoxResult::OK;
    case QMessageBox::Abort:
        return MsgBoxResult::Abort;
    case QMessageBox::Retry:
        return MsgBoxResult::Retry;
    case QMessageBox::Ignore:
        return MsgBoxResult::Ignore;
    case QMessageBox::Yes:
        return MsgBoxResult::Yes;
    case QMessageBox::No:
        return MsgBoxResult::No;
    default:
        return MsgBoxResult::Cancel;
    }
}
