#pragma once

#include <QPointer>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class StatusMessage;

// The entry dialog: the surname, given name and number of one contact, typed
// in to add it or to change the contact the main window opened it for. A
// top-level window of its own, not modal, at most one at a time.
class DataForm : public QWidget
{
    Q_OBJECT

public:
    // The single instance, created with its designed contents on first use.
    static DataForm *instance();

    QLineEdit *lastName() const { return m_lastName; }
    QLineEdit *firstName() const { return m_firstName; }
    QLineEdit *telNumber() const { return m_telNumber; }
    QLineEdit *currentItemIndex() const { return m_currentItemIndex; }
    QPushButton *cmUpdate() const { return m_cmUpdate; }

    // The contact line the dialog was filled with for a change: "Aggiorna"
    // writes only to that line, wherever it now stands in the table.
    void setEditedLine(const QString &line) { m_editedLine = line; }

Q_SIGNALS:
    // A contact was appended to the table.
    void contactAdded();
    // A contact of the table was changed; letter is its new initial. Its
    // owner saves the table and shows that letter.
    void contactChanged(QChar letter);

public Q_SLOTS:
    void CmdAddMore_Click();
    void CmUpdate_Click();
    void CmdCancel_Click();

private:
    explicit DataForm(QWidget *parent = nullptr);

    QLabel *addLabel(const QString &name, const QString &text, int left, int top, int width);
    QLineEdit *addTextBox(const QString &name, int top);
    QPushButton *addButton(const QString &name, const QString &text, int top);

    // The fields as the contact line is built from them: leading spaces of
    // the given name and the number dropped.
    QString enteredLastName() const;
    QString enteredFirstName() const;
    QString enteredNumber() const;
    // The checks both commands share, after their own empty checks: the
    // first letter, then what the data file cannot hold. True when one
    // refused (and said why).
    bool refused();
    // Table index of the line being changed, or -1 when it is gone.
    int editedIndex() const;
    void clearBoxes();

    static QPointer<DataForm> s_instance;

    QLineEdit *m_lastName;
    QLineEdit *m_firstName;
    QLineEdit *m_telNumber;
    QLineEdit *m_currentItemIndex;
    QPushButton *m_cmUpdate;
    QPushButton *m_cmdAddMore;
    QPushButton *m_cmdCancel;
    StatusMessage *m_statusMessage;
    std::optional<QString> m_editedLine;
};
