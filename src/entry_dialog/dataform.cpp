#include "entry_dialog/dataform.h"

#include "look/dialogfonts.h"
#include "look/statusmessage.h"
#include "look/windowaccessible.h"
#include "platform/msgbox.h"
#include "platform/onscreen.h"
#include "platform/twips.h"
#include "store/contacttable.h"
#include "store/fieldcheck.h"
#include "store/globalmodule.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace GlobalModule;

namespace {

const QColor Teal(0, 128, 128);
const QColor LightCyan(128, 255, 255);

QString withoutLeadingSpaces(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == u' ')
        ++start;
    return text.mid(start);
}

// Assistive technology reads the dialog as a window, without the hidden
// index box.
QAccessibleInterface *accessibleDataForm(const QString &className, QObject *object)
{
    if (className != QLatin1String("DataForm"))
        return nullptr;
    return new WindowAccessible(static_cast<QWidget *>(object));
}

} // namespace

QPointer<DataForm> DataForm::s_instance;

DataForm *DataForm::instance()
{
    if (!s_instance)
        s_instance = new DataForm;
    return s_instance;
}

DataForm::DataForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    static bool accessibleInstalled = false;
    if (!accessibleInstalled) {
        QAccessible::installFactory(accessibleDataForm);
        accessibleInstalled = true;
    }
    setObjectName(QStringLiteral("DataForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Inserimento"));
    DialogFonts::Apply(this);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, Teal);
    setPalette(teal);
    setAutoFillBackground(true);

    // Each label names the text box beside it for assistive technology.
    QLabel *label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Cognome"), 120, 240, 975);
    m_lastName = addTextBox(QStringLiteral("LastName"), 120);
    label1->setBuddy(m_lastName);
    QLabel *label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Nome"), 120, 720, 1095);
    m_firstName = addTextBox(QStringLiteral("FirstName"), 600);
    label2->setBuddy(m_firstName);
    QLabel *label3 =
        addLabel(QStringLiteral("Label3"), QStringLiteral("Telefono"), 120, 1200, 1095);
    m_telNumber = addTextBox(QStringLiteral("TelNumber"), 1080);
    label3->setBuddy(m_telNumber);
    m_cmUpdate = addButton(QStringLiteral("CmUpdate"), QStringLiteral("Aggiorna"), 120);
    m_cmdAddMore = addButton(QStringLiteral("CmdAddMore"), QStringLiteral("Aggiungi"), 600);
    m_cmdCancel = addButton(QStringLiteral("CmdCancel"), QStringLiteral("Annulla"), 1080);

    // Hands the table index of the contact being changed from the main window
    // to "Aggiorna"; never shown.
    m_currentItemIndex = new QLineEdit(QStringLiteral("Text1"), this);
    m_currentItemIndex->setObjectName(QStringLiteral("CurrentItemIndex"));
    m_currentItemIndex->hide();
    m_statusMessage = new StatusMessage(this);

    setTabOrder(m_lastName, m_firstName);
    setTabOrder(m_firstName, m_telNumber);
    setTabOrder(m_telNumber, m_cmUpdate);
    setTabOrder(m_cmUpdate, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_cmdAddMore);
    m_currentItemIndex->setFocusPolicy(Qt::NoFocus);

    connect(m_cmdAddMore, &QPushButton::clicked, this, &DataForm::CmdAddMore_Click);
    connect(m_cmUpdate, &QPushButton::clicked, this, &DataForm::CmUpdate_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &DataForm::CmdCancel_Click);

    // Controls keep their places whatever the window's size. The geometry is
    // the client area's: move() would place the frame there instead. A
    // screen too small for the described place moves the window.
    setGeometry(OnScreen::Fit(Twips::Rect(3225, 4395, 5580, 1545)));
    m_lastName->setFocus();
}

QLabel *DataForm::addLabel(const QString &name, const QString &text, int left, int top, int width)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(DialogFonts::Font(DialogFonts::SansSerif, DialogFonts::DialogPointSize));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, LightCyan);
    label->setPalette(colours);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(Twips::Rect(left, top, width, 255));
    return label;
}

QLineEdit *DataForm::addTextBox(const QString &name, int top)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    // The palette of a text box is the desktop's, not the teal window's.
    box->setPalette(QPalette());
    box->setGeometry(Twips::Rect(1080, top, 3375, 375));
    return box;
}

QPushButton *DataForm::addButton(const QString &name, const QString &text, int top)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setPalette(QPalette());
    button->setAutoDefault(false);
    button->setGeometry(Twips::Rect(4560, top, 975, 375));
    return button;
}

QString DataForm::enteredLastName() const
{
    return m_lastName->text();
}

QString DataForm::enteredFirstName() const
{
    return withoutLeadingSpaces(m_firstName->text());
}

QString DataForm::enteredNumber() const
{
    return withoutLeadingSpaces(m_telNumber->text());
}

bool DataForm::refused()
{
    const QString lastName = enteredLastName();
    if (!FieldCheck::StartsWithCapital(lastName)) {
        MsgBox(QStringLiteral("Inserire solo Lettere ( A...Z)"));
        return true;
    }
    const QString firstName = enteredFirstName();
    QString message = FieldCheck::Length(lastName, firstName);
    if (message.isEmpty())
        message = FieldCheck::Comma(lastName, firstName);
    if (message.isEmpty())
        message = FieldCheck::Characters(lastName, firstName, enteredNumber());
    if (message.isEmpty())
        return false;
    MsgBox(message, MsgBoxStyle::Exclamation);
    return true;
}

void DataForm::clearBoxes()
{
    m_lastName->clear();
    m_firstName->clear();
    m_telNumber->clear();
}

void DataForm::CmdAddMore_Click()
{
    const QString line = FormatContactLine(enteredLastName(), enteredFirstName(), enteredNumber());
    if (enteredLastName().isEmpty() || enteredFirstName().isEmpty() || enteredNumber().isEmpty()) {
        MsgBox(QStringLiteral("Nessun dato inserito"), MsgBoxStyle::Critical,
               QStringLiteral("Fai qualcosa"));
        return;
    }
    // A contact whose surname does not start with A to Z would be stored but
    // never listed, so the user could never see, change or delete it.
    if (refused())
        return;
    if (!ContactTable::append(line)) {
        MsgBox(QStringLiteral("Elenco pieno: non è possibile aggiungere altri contatti."),
               MsgBoxStyle::Exclamation);
        return;
    }
    const QString added = enteredLastName() + u' ' + enteredFirstName();
    clearBoxes();
    Q_EMIT contactAdded();
    // The boxes empty and nothing else on the dialog shows that the contact
    // went in; a screen reader says so.
    m_statusMessage->say(QStringLiteral("Contatto aggiunto: ") + added);
}

int DataForm::editedIndex() const
{
    if (!m_editedLine)
        return -1;
    bool isNumber = false;
    const int index = m_currentItemIndex->text().toInt(&isNumber);
    if (isNumber && index >= 0 && index < ContactCount && Contacts[index] == *m_editedLine)
        return index;
    // The main window deleted lines since the dialog was filled.
    return ContactTable::lastIndexOf(*m_editedLine);
}

void DataForm::CmUpdate_Click()
{
    const QString line = FormatContactLine(enteredLastName(), enteredFirstName(), enteredNumber());
    if (enteredLastName().isEmpty()) {
        MsgBox(QStringLiteral("Inserire il Cognome."));
        return;
    }
    if (refused())
        return;
    const int index = editedIndex();
    if (index < 0) {
        MsgBox(QStringLiteral("Il contatto da modificare non è più presente."),
               MsgBoxStyle::Exclamation);
        return;
    }
    if (line == Contacts[index]) {
        MsgBox(QStringLiteral("Il Nome e' gia presente."));
        return;
    }

    const QChar letter = enteredLastName().at(0);
    ContactTable::replace(index, line);
    Q_EMIT contactChanged(letter);
    clearBoxes();
    close();
}

void DataForm::CmdCancel_Click()
{
    close();
}
