#pragma once

#include <QDialog>
#include <QPointer>

#include <array>

class LineControl;
class QLabel;
class QPushButton;

// The About box: the application's title, version, a description and a
// disclaimer beside its icon; "OK" closes it, "&System Info..." starts the
// system information tool. At most one exists, a window of its own, shown
// beside the main window without blocking it.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // The single instance, loaded on first use (Form_Load runs once).
    static frmAbout *instance();

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    // Esc presses "OK", the cancel button.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    frmAbout();

    static QPointer<frmAbout> s_instance;

    QLabel *m_picIcon;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdSysInfo;
    QLabel *m_lblDescription;
    QLabel *m_lblTitle;
    QLabel *m_lblVersion;
    QLabel *m_lblDisclaimer;
    std::array<LineControl *, 2> m_Line1;
};
