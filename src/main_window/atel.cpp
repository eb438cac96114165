#include "main_window/atel.h"

#include "about/frmabout.h"
#include "main_window/contactlistbox.h"
#include "main_window/letterscrollbar.h"
#include "main_window/letterstrip.h"
#include "main_window/mainwindowmodule.h"
#include "platform/exitsignals.h"
#include "platform/msgbox.h"
#include "platform/runtime.h"
#include "store/contacttable.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSessionManager>

QPointer<aTel> aTel::s_instance;

aTel *aTel::instance()
{
    if (!s_instance) {
        s_instance = new aTel;
        // Form_Load reaches the window through instance(), so it runs once the
        // instance is known.
        s_instance->Form_Load();
    }
    return s_instance;
}

aTel::aTel(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("aTel"));
    setWindowTitle(QStringLiteral("Rubrio"));
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(true);
    buildControls();
    buildMenus();
    connectHandlers();
    placeWindow();
}

QListWidget *aTel::contactList() const
{
    return m_contactList;
}

QScrollBar *aTel::scrollBar() const
{
    return m_scrollBar;
}

void aTel::connectHandlers()
{
    m_surface->installEventFilter(this);
    menuBar()->installEventFilter(this);
    connect(m_contactList, &ContactListBox::selectionChangedByUser, this, &aTel::ContactList_Click);
    connect(m_contactList, &ContactListBox::rightButtonPressed, this,
            [this](const QPoint &globalPos) { ContactList_MouseDown(Qt::RightButton, globalPos); });
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &aTel::VScroll_Sel_Chr_Change);
    // A click on a letter of the strip moves the scroll bar there.
    connect(m_letterStrip, &LetterStrip::letterClicked, m_scrollBar, &QScrollBar::setValue);

    connect(m_cmdAddNew, &QPushButton::clicked, this, &aTel::CmdAddNew_Click);
    connect(m_cmdModify, &QPushButton::clicked, this, &aTel::CmdModify_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &aTel::CmdDelete_Click);
    connect(m_save, &QPushButton::clicked, this, &aTel::Save_Click);
    connect(m_cmdAbout, &QPushButton::clicked, this, &aTel::CmdAbout_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &aTel::CmdExit_Click);

    connect(m_saveDataAction, &QAction::triggered, this, &aTel::SaveData_Click);
    connect(m_exitAction, &QAction::triggered, this, &aTel::Exit_Click);
    connect(m_addAction, &QAction::triggered, this, &aTel::Add_Click);
    connect(m_modifyAction, &QAction::triggered, this, &aTel::Modify_Click);
    connect(m_deleteAction, &QAction::triggered, this, &aTel::Delete_Click);
    connect(m_aboutAction, &QAction::triggered, this, &aTel::About_Click);
    connect(m_findAction, &QAction::triggered, this, &aTel::Find_Click);

    // Asked to end by a signal (kill, the terminal closed, Ctrl+C): the same
    // question as the close box, with the same chance to save.
    connect(ExitSignals::instance(), &ExitSignals::received, this, [this] { close(); });
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        const bool mayAsk = manager.allowsInteraction();
        if (!endWithSession(mayAsk))
            manager.cancel();
        if (mayAsk)
            manager.release();
    });
#endif
}

void aTel::Form_Load()
{
    m_contactList->clear();
    m_loadResult = m_dataFile.load();
    GlobalModule::RefreshContactList();
}

void aTel::ContactList_Click()
{
    // From the selection's ranges: asking every item whether it is selected
    // searches the selection once per item.
    const QList<int> rows = m_contactList->selectedRows();
    const int last = rows.isEmpty() ? -1 : rows.last();
    const bool any = last != -1;
    m_cmdDelete->setEnabled(any);
    m_cmdModify->setEnabled(any);
    if (any)
        m_contactList->setCurrentRowOnly(last);
}

void aTel::ContactList_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button != Qt::RightButton)
        return;
    const bool any = !m_contactList->selectedItems().isEmpty();
    m_modifyAction->setEnabled(any);
    m_deleteAction->setEnabled(any);
    m_editMenu->popup(globalPos);
}

void aTel::Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton)
        m_fileMenu->popup(globalPos);
}

void aTel::VScroll_Sel_Chr_Change()
{
    GlobalModule::RefreshContactList();
}

void aTel::Save_Click()
{
    GlobalModule::SaveContacts();
}

void aTel::SaveData_Click()
{
    Save_Click();
}

void aTel::CmdAbout_Click()
{
    Runtime::ShowNotModal(frmAbout::instance());
}

void aTel::About_Click()
{
    CmdAbout_Click();
}

void aTel::CmdExit_Click()
{
    GlobalModule::ConfirmExit();
}

void aTel::Exit_Click()
{
    CmdExit_Click();
}

bool aTel::endWithSession(bool mayAsk)
{
    if (!Runtime::Ending()) {
        if (mayAsk)
            GlobalModule::ConfirmExit();
        else
            Runtime::End();
    }
    return Runtime::Ending();
}

// Every way of closing the window asks the exit question, unless the program
// is already ending. After a failed save the window stays open.
void aTel::closeEvent(QCloseEvent *event)
{
    if (!Runtime::Ending())
        GlobalModule::ConfirmExit();
    event->setAccepted(Runtime::Ending());
}

void aTel::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_startupReported) {
        m_startupReported = true;
        QMetaObject::invokeMethod(this, &aTel::reportStartupProblems, Qt::QueuedConnection);
    }
}

// What the load of data.txt could not do, told once the window is on screen.
void aTel::reportStartupProblems()
{
    if (Runtime::Ending())
        return;
    if (m_loadResult.status == DataFile::LoadResult::Unreadable)
        MsgBox(QStringLiteral("Impossibile leggere data.txt: %1.").arg(m_loadResult.error),
               MsgBoxStyle::Critical);
    if (m_loadResult.keptAside > 0)
        MsgBox(QStringLiteral("data.txt contiene %1 contatti: ne vengono mostrati i primi %2. "
                              "Gli altri restano nel file.")
                   .arg(m_loadResult.total)
                   .arg(ContactTable::Capacity),
               MsgBoxStyle::Exclamation);
}

bool aTel::eventFilter(QObject *watched, QEvent *event)
{
    // The desktop's menu font or style changed: once the menu bar has taken
    // it, the window makes room for its new height.
    if (watched == menuBar() &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        QMetaObject::invokeMethod(this, &aTel::fitMenuBar, Qt::QueuedConnection);
    if (watched == m_surface && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        Form_MouseDown(press->button(), press->globalPosition().toPoint());
    }
    return QMainWindow::eventFilter(watched, event);
}
