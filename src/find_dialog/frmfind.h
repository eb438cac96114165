#pragma once

#include "exchange/contactfinder.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// The Find dialog: every contact the main window can list, filtered as the
// user types by any part of the surname, the given name or the number. Enter
// or a double click on a result chooses that contact and closes the dialog;
// Esc closes it. Modal.
class frmFind : public QDialog
{
    Q_OBJECT

public:
    // lines: the contacts in the order the results are to be shown.
    explicit frmFind(const QStringList &lines, QWidget *parent = nullptr);

    QLineEdit *findText() const { return m_findText; }
    QListWidget *findResults() const { return m_findResults; }

Q_SIGNALS:
    // The contact line of the result the user chose.
    void contactChosen(const QString &line);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void filter();
    void choose(QListWidgetItem *item);

    ContactFinder m_finder;
    QLineEdit *m_findText;
    QListWidget *m_findResults;
    QLabel *m_findCount;
};
