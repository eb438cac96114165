#pragma once

#include "store/datafile.h"

#include <QMainWindow>
#include <QPointer>

class ContactListBox;
class DataForm;
class frmFind;
class LetterScrollBar;
class LetterStrip;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollBar;

// The main window: the contacts of one initial letter, the letter selector,
// the record and program commands, and the menus. It exists once for the
// program's whole run; closing it ends the program.
class aTel : public QMainWindow
{
    Q_OBJECT

public:
    // The single instance, created on first use: the layout is built, then
    // Form_Load runs.
    static aTel *instance();

    QListWidget *contactList() const;
    ContactListBox *contactListBox() const { return m_contactList; }
    QScrollBar *scrollBar() const;
    LetterScrollBar *letterScrollBar() const { return m_scrollBar; }
    // Hidden, unsorted scratch list used by the delete command.
    QListWidget *list1() const { return m_list1; }
    QPushButton *cmdDelete() const { return m_cmdDelete; }
    QPushButton *cmdModify() const { return m_cmdModify; }
    QAction *modifyAction() const { return m_modifyAction; }
    QAction *deleteAction() const { return m_deleteAction; }
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *editMenu() const { return m_editMenu; }
    // data.txt, as this window read it and last wrote it.
    DataFile &dataFile() { return m_dataFile; }

    // The desktop session is ending: asks the exit question where the session
    // manager allows it, else ends without saving (the question's default
    // answer). False when the program stays (its save failed), so the session
    // end is cancelled.
    bool endWithSession(bool mayAsk);

public Q_SLOTS:
    void Form_Load();
    void ContactList_Click();
    void ContactList_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void VScroll_Sel_Chr_Change();
    void CmdAddNew_Click();
    void CmdModify_Click();
    void CmdDelete_Click();
    void Save_Click();
    void SaveData_Click();
    void Add_Click();
    void Modify_Click();
    void Delete_Click();
    void CmdAbout_Click();
    void About_Click();
    void CmdExit_Click();
    void Exit_Click();
    void Find_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // .vcf files dropped on the window (contactdrop.cpp).
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    explicit aTel(QWidget *parent = nullptr);

    void buildControls();
    void buildMenus();
    void connectHandlers();
    void placeWindow();
    void fitMenuBar();
    int menuBarHeight(int width) const;
    void reportStartupProblems();
    void importDroppedFiles(const QStringList &paths);
    // The entry dialog, opened by the record commands, with its changes
    // connected to this window.
    DataForm *entryDialog();
    void showAddedContact();
    void showChangedContact(QChar letter);
    // The contact chosen in the Find dialog, selected under its letter.
    void showFoundContact(const QString &line);

    static QPointer<aTel> s_instance;

    QWidget *m_surface = nullptr;
    ContactListBox *m_contactList = nullptr;
    LetterStrip *m_letterStrip = nullptr;
    LetterScrollBar *m_scrollBar = nullptr;
    QListWidget *m_list1 = nullptr;
    QPushButton *m_cmdAddNew = nullptr;
    QPushButton *m_cmdModify = nullptr;
    QPushButton *m_cmdDelete = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cmdAbout = nullptr;
    QPushButton *m_cmdExit = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QAction *m_saveDataAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_addAction = nullptr;
    QAction *m_modifyAction = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_findAction = nullptr;
    QPointer<frmFind> m_frmFind;

    int m_menuBarHeight = 0; // what the window's height allows for
    DataFile m_dataFile;
    DataFile::LoadResult m_loadResult;
    bool m_startupReported = false;
};
