#include "find_dialog/frmfind.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

// The line a result stands for.
constexpr int LineRole = Qt::UserRole;

QString countText(qsizetype count)
{
    if (count == 0)
        return QStringLiteral("Nessun contatto trovato");
    if (count == 1)
        return QStringLiteral("1 contatto trovato");
    return QStringLiteral("%1 contatti trovati").arg(count);
}

} // namespace

frmFind::frmFind(const QStringList &lines, QWidget *parent)
    : QDialog(parent), m_finder(lines), m_findText(new QLineEdit(this)),
      m_findResults(new QListWidget(this)), m_findCount(new QLabel(this))
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Trova"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);

    auto *prompt = new QLabel(QStringLiteral("Cognome, nome o numero:"), this);
    prompt->setObjectName(QStringLiteral("FindPrompt"));
    prompt->setBuddy(m_findText);
    m_findText->setObjectName(QStringLiteral("FindText"));
    m_findText->setAccessibleName(prompt->text());
    m_findResults->setObjectName(QStringLiteral("FindResults"));
    m_findResults->setAccessibleName(QStringLiteral("Contatti trovati"));
    m_findResults->setUniformItemSizes(true);
    m_findResults->setSelectionMode(QAbstractItemView::SingleSelection);
    m_findCount->setObjectName(QStringLiteral("FindCount"));
    m_findCount->setTextFormat(Qt::PlainText);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_findText);
    layout->addWidget(m_findResults, 1);
    layout->addWidget(m_findCount);
    resize(360, 320);

    connect(m_findText, &QLineEdit::textChanged, this, &frmFind::filter);
    connect(m_findResults, &QListWidget::itemDoubleClicked, this, &frmFind::choose);
    filter();
    m_findText->setFocus();
}

// Called on every keystroke: only the matching runs over the contacts, each
// prepared once when the dialog opened.
void frmFind::filter()
{
    const QList<qsizetype> found = m_finder.find(m_findText->text());
    m_findResults->clear();
    for (const qsizetype i : found) {
        auto *item = new QListWidgetItem(m_finder.resultText(i));
        item->setData(LineRole, m_finder.line(i));
        m_findResults->addItem(item);
    }
    if (!found.isEmpty())
        m_findResults->setCurrentRow(0);
    const QString count = countText(found.size());
    m_findCount->setText(count);
    // Read with the list, and told to a screen reader when it changes.
    m_findResults->setAccessibleDescription(count);
}

void frmFind::choose(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString line = item->data(LineRole).toString();
    accept();
    Q_EMIT contactChosen(line);
}

// Enter chooses the current result, from the text box or from the list. The
// dialog has no default button, so nothing else takes Enter; Esc is the
// dialog's own.
void frmFind::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        choose(m_findResults->currentItem());
        return;
    }
    QDialog::keyPressEvent(event);
}
