// The window's fixed description: every control at its place in twips, with
// its text, font, colours and initial state, and the menu tree.

#include "main_window/atel.h"

#include "look/dialogfonts.h"
#include "main_window/contactlistbox.h"
#include "main_window/letterscrollbar.h"
#include "main_window/letterstrip.h"
#include "platform/linecontrol.h"
#include "platform/onscreen.h"
#include "platform/twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

namespace {

template <typename Control>
Control *place(Control *control, const char *name, int left, int top, int width, int height)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(Twips::Rect(left, top, width, height));
    // Labels, frames and controls are not the window's surface: a press on
    // them never reaches the surface's pop-up menu.
    control->setAttribute(Qt::WA_NoMousePropagation);
    return control;
}

// Labels: left-aligned text broken at spaces, no border, an opaque
// background.
template <typename Label = QLabel>
Label *label(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
             int height)
{
    auto *label = place(new Label(parent), name, left, top, width, height);
    label->setText(text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel *heading(QWidget *parent, const char *name, const QString &text, int left, int width)
{
    auto *heading = label(parent, name, text, left, 120, width, 255);
    QFont font = DialogFonts::Font(DialogFonts::SansSerif, 9.75);
    font.setItalic(true);
    heading->setFont(font);
    heading->setForegroundRole(QPalette::Highlight);
    return heading;
}

QPushButton *button(QGroupBox *frame, const char *name, const QString &text, int top)
{
    auto *button = place(new QPushButton(text, frame), name, 120, top, 1335, 495);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void setColor(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

} // namespace

void aTel::buildControls()
{
    m_surface = new QWidget(this);
    m_surface->setObjectName(QStringLiteral("Surface"));
    setCentralWidget(m_surface);
    // The client area keeps the dialog font; the menu bar above it is the
    // desktop's.
    DialogFonts::Apply(m_surface);
    QWidget *s = m_surface;

    heading(s, "LblName", QStringLiteral("Cognome"), 0, 1455);
    heading(s, "Label2", QStringLiteral("Nome"), 1800, 1455);
    heading(s, "LblTelNumber", QStringLiteral("Telefono"), 3360, 1095);

    m_letterStrip = label<LetterStrip>(
        s, "Lbl_A_Z", QStringLiteral("A B C D E F G H I J K L M N O P Q R S T U V W X Y Z "), 5280,
        360, 150, 5175);
    setColor(m_letterStrip, QPalette::WindowText, QColor(192, 0, 0));

    auto *label1 = label(s, "Label1", QStringLiteral("Label1"), 5880, 2880, 1575, 375);
    setColor(label1, QPalette::Window, QColor(128, 128, 128));
    label1->setForegroundRole(QPalette::HighlightedText);
    // Qt's colour for an application's workspace (the empty area of a
    // multiple-document window) is the palette's Dark.
    auto *label3 = label(s, "Label3", QStringLiteral("Label3"), 5880, 3360, 1575, 375);
    label3->setBackgroundRole(QPalette::Dark);
    label3->setForegroundRole(QPalette::HighlightedText);

    // Two double rules, dark above light: at the top of the heading row and
    // below the list. They lie over the labels and under the controls. The
    // title-bar text colour is drawn as the palette's highlighted text, the
    // text on a highlight such as an active title bar.
    const struct
    {
        const char *name;
        int y;
        QPalette::ColorRole role;
    } lines[] = {{"Line1", 120, QPalette::WindowText},
                 {"Line3", 130, QPalette::HighlightedText},
                 {"Line2", 5640, QPalette::WindowText},
                 {"Line4", 5650, QPalette::HighlightedText}};
    for (const auto &line : lines) {
        auto *control = new LineControl(0, line.y, 5640, line.y, s);
        control->setColorRole(line.role);
        control->setObjectName(QLatin1String(line.name));
    }

    m_contactList = place(new ContactListBox(s), "ContactList", 0, 360, 5175, 5070);
    m_contactList->setFont(DialogFonts::Font(DialogFonts::Fixed, 8.25));
    // The light yellow is made for black text, so the text colour goes with
    // it.
    setColor(m_contactList, QPalette::Base, QColor(255, 255, 192));
    setColor(m_contactList, QPalette::Text, Qt::black);
    m_contactList->setUniformItemSizes(true);
    m_contactList->setAccessibleName(QStringLiteral("Contatti"));

    m_scrollBar = place(new LetterScrollBar(s), "VScroll_Sel_Chr", 5520, 120, 255, 5545);
    m_scrollBar->setAccessibleName(QStringLiteral("Lettera"));
    m_scrollBar->setRange(0, 25);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(1);
    m_scrollBar->setValue(0);
    // One change, and so one refill, when the dragged box is released.
    m_scrollBar->setTracking(false);
    m_scrollBar->setFocusPolicy(Qt::StrongFocus);
    m_scrollBar->setContextMenuPolicy(Qt::NoContextMenu);

    auto *frame1 =
        place(new QGroupBox(QStringLiteral("Records"), s), "Frame1", 5880, 20, 1575, 2775);
    m_cmdAddNew = button(frame1, "CmdAddNew", QStringLiteral("Aggiungi Record"), 360);
    m_cmdAddNew->setToolTip(QStringLiteral("Click on this button to add new contacts record"));
    m_cmdModify = button(frame1, "CmdModify", QStringLiteral("Modifica Record"), 960);
    m_cmdDelete = button(frame1, "CmdDelete", QStringLiteral("Cancella Record"), 1560);
    m_cmdDelete->setToolTip(QStringLiteral("Delete selected record(s)"));
    m_save = button(frame1, "Save", QStringLiteral("Salva Record"), 2160);

    auto *frame2 = place(new QGroupBox(s), "Frame2", 5880, 4080, 1575, 1575);
    m_cmdAbout = button(frame2, "CmdAbout", QStringLiteral("About..."), 360);
    m_cmdExit = button(frame2, "CmdExit", QStringLiteral("Esci"), 960);

    m_list1 = new QListWidget(s);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list1->hide();

    QWidget::setTabOrder(m_contactList, m_scrollBar);
    QWidget::setTabOrder(m_scrollBar, m_cmdModify);
    QWidget::setTabOrder(m_cmdModify, m_save);
    QWidget::setTabOrder(m_save, m_cmdDelete);
    QWidget::setTabOrder(m_cmdDelete, m_cmdAddNew);
    QWidget::setTabOrder(m_cmdAddNew, m_cmdExit);
    QWidget::setTabOrder(m_cmdExit, m_cmdAbout);
    m_contactList->setFocus();
}

void aTel::buildMenus()
{
    const auto addMenu = [this](const char *name, const QString &title) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    const auto addItem = [this](QMenu *menu, const char *name, const QString &text) {
        auto *action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        menu->addAction(action);
        return action;
    };
    m_fileMenu = addMenu("File", QStringLiteral("File"));
    m_saveDataAction = addItem(m_fileMenu, "SaveData", QStringLiteral("Salva..."));
    m_exitAction = addItem(m_fileMenu, "Exit", QStringLiteral("Esci..."));
    m_editMenu = addMenu("Edit", QStringLiteral("Edit"));
    m_addAction = addItem(m_editMenu, "Add", QStringLiteral("Aggiungi..."));
    m_modifyAction = addItem(m_editMenu, "Modify", QStringLiteral("Modifica..."));
    m_deleteAction = addItem(m_editMenu, "Delete", QStringLiteral("Cancella..."));
    m_findAction = addItem(m_editMenu, "Find", QStringLiteral("Trova..."));
    m_findAction->setShortcut(QKeySequence::Find);
    QMenu *help = addMenu("Help", QStringLiteral("Help"));
    m_aboutAction = addItem(help, "About", QStringLiteral("About..."));
}

int aTel::menuBarHeight(int width) const
{
    const int height = menuBar()->heightForWidth(width);
    return height < 0 ? menuBar()->sizeHint().height() : height;
}

// The client area (below the menu bar) opens at its designed place and size;
// the window itself starts a menu bar's height higher. The menu bar takes the
// desktop's menu font when it is polished.
void aTel::placeWindow()
{
    const QRect client = Twips::Rect(2550, 1755, 7485, 5700);
    menuBar()->ensurePolished();
    m_menuBarHeight = menuBarHeight(client.width());
    setGeometry(OnScreen::Fit(client.adjusted(0, -m_menuBarHeight, 0, 0)));
}

// The menu bar's height changed: the window grows or shrinks by as much, so
// the client area keeps its size. Before the window is first shown its top
// moves instead, and the client area stays at its designed place, as long
// as the window still fits the screen.
void aTel::fitMenuBar()
{
    const int height = menuBarHeight(width());
    const int change = height - m_menuBarHeight;
    if (change == 0 || isMaximized() || isFullScreen())
        return;
    m_menuBarHeight = height;
    QRect window = geometry();
    if (isVisible()) {
        window.setBottom(window.bottom() + change);
        setGeometry(window);
    } else {
        window.setTop(window.top() - change);
        setGeometry(OnScreen::Fit(window));
    }
}
