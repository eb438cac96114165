#include "about/frmabout.h"

#include "about/startsysinfo.h"
#include "look/appicon.h"
#include "look/dialogfonts.h"
#include "platform/appinfo.h"
#include "platform/linecontrol.h"
#include "platform/onscreen.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *makeLabel(const QString &name, const QString &text, const QRect &geometry, bool black,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    if (black) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    return label;
}

QPushButton *makeButton(const QString &name, const QString &text, const QRect &geometry,
                        QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

QPointer<frmAbout> frmAbout::s_instance;

frmAbout *frmAbout::instance()
{
    if (!s_instance) {
        s_instance = new frmAbout();
        s_instance->Form_Load();
    }
    return s_instance;
}

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Rubrio"));
    DialogFonts::Apply(this);
    setWindowIcon(AppIcon());
    setGeometry(OnScreen::Fit(Twips::Rect(3900, 2805, 5730, 3555)));
    setFixedSize(size());

    // Created in the stored order, which is also the order they overlap in.
    m_picIcon = new QLabel(this);
    m_picIcon->setObjectName(QStringLiteral("picIcon"));
    m_picIcon->setPixmap(AppIconPixmap());
    m_picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picIcon->setFocusPolicy(Qt::StrongFocus);
    m_picIcon->setGeometry(Twips::Rect(240, 240, 540, 540));

    m_cmdOK = makeButton(QStringLiteral("cmdOK"), QStringLiteral("OK"),
                         Twips::Rect(4245, 2625, 1260, 345), this);
    m_cmdOK->setDefault(true);
    m_cmdSysInfo = makeButton(QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."),
                              Twips::Rect(4260, 3075, 1245, 345), this);

    const QString line1 = QStringLiteral("Line1");
    m_Line1[1] = new LineControl(90, 2445, 5654, 2445, this);
    m_Line1[1]->setColor(QColor(128, 128, 128));

    m_lblDescription = makeLabel(QStringLiteral("lblDescription"),
                                 QStringLiteral("Esempio di Rubrio Telefonica..."),
                                 Twips::Rect(1050, 1125, 3885, 1170), true, this);
    m_lblTitle = makeLabel(QStringLiteral("lblTitle"), QStringLiteral("Rubrio"),
                           Twips::Rect(1050, 240, 3885, 480), true, this);

    m_Line1[0] = new LineControl(105, 2460, 5654, 2460, this, 2);
    m_Line1[0]->setColor(QColor(255, 255, 255));
    // Line1 is a control array: both elements carry its name and their index.
    for (std::size_t i = 0; i < m_Line1.size(); ++i) {
        m_Line1[i]->setObjectName(line1);
        m_Line1[i]->setProperty("Index", int(i));
    }

    m_lblVersion = makeLabel(QStringLiteral("lblVersion"), QStringLiteral("Version 1.0"),
                             Twips::Rect(1080, 780, 3885, 225), false, this);
    m_lblDisclaimer =
        makeLabel(QStringLiteral("lblDisclaimer"), QStringLiteral("Bla...Bla...Bla...Bla...Bla..."),
                  Twips::Rect(255, 2625, 3870, 825), true, this);

    setTabOrder(m_cmdOK, m_picIcon);
    setTabOrder(m_picIcon, m_cmdSysInfo);
    m_cmdOK->setFocus();

    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + App::Title());
    m_lblVersion->setText(
        QStringLiteral("Version %1.%2.%3").arg(App::Major).arg(App::Minor).arg(App::Revision));
    m_lblTitle->setText(App::Title());
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::reject()
{
    m_cmdOK->click();
}

// The close box unloads the window like "OK" does.
void frmAbout::closeEvent(QCloseEvent *event)
{
    event->accept();
    // Gone from now on, though deleted only when the event loop next runs: the
    // next opening loads a new one.
    if (s_instance == this)
        s_instance = nullptr;
}
