#include "main_window/contactlistbox.h"

#include "look/focusring.h"
#include "store/contactline.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// A contact of the list. Assistive technology reads it by its fields,
// without the padding and the commas of the line; the text is made only
// when one asks for it, so a refill costs no more than the lines.
class ContactItem : public QListWidgetItem
{
public:
    using QListWidgetItem::QListWidgetItem;

    QVariant data(int role) const override
    {
        if (role != Qt::AccessibleTextRole)
            return QListWidgetItem::data(role);
        const GlobalModule::ContactFields fields = GlobalModule::SplitContactLine(text());
        QStringList words;
        for (const QString &field : {fields.lastName, fields.firstName, fields.number}) {
            if (!field.isEmpty())
                words.append(field);
        }
        return words.join(u' ');
    }
};

} // namespace

ContactListBox::ContactListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
    setSortingEnabled(false); // the refill adds the lines already in order
    keepRowsInsideFocusRing();
}

void ContactListBox::setLines(const QStringList &lines)
{
    clear();
    for (const QString &line : lines)
        addItem(new ContactItem(line));
}

// The focus ring lies inside the list's edge, wider than the style's frame:
// the rows start inside it, so it covers none of their text.
void ContactListBox::keepRowsInsideFocusRing()
{
    const int margin = qMax(0, FocusRing::Reach - frameWidth());
    setViewportMargins(margin, margin, margin, margin);
}

void ContactListBox::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::StyleChange)
        keepRowsInsideFocusRing();
}

void ContactListBox::setCurrentRowOnly(int row)
{
    selectionModel()->setCurrentIndex(row < 0 ? QModelIndex() : model()->index(row, 0),
                                      QItemSelectionModel::NoUpdate);
}

QList<int> ContactListBox::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Runs one piece of Qt's input handling and reports a change of selection
// once it is over, so the window's handler sees the final state.
template <typename Handler> void ContactListBox::asUserInput(Handler handler)
{
    const QList<int> before = selectedRows();
    handler();
    if (selectedRows() != before)
        Q_EMIT selectionChangedByUser();
}

void ContactListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        Q_EMIT rightButtonPressed(event->globalPosition().toPoint());
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    asUserInput([&] { QListWidget::mousePressEvent(event); });
}

void ContactListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    asUserInput([&] { QListWidget::mouseReleaseEvent(event); });
}

// The second press of a double click is one more click: it toggles again.
void ContactListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QMouseEvent press(QEvent::MouseButtonPress, event->position(), event->scenePosition(),
                      event->globalPosition(), event->button(), event->buttons(),
                      event->modifiers(), event->pointingDevice());
    mousePressEvent(&press);
    event->setAccepted(press.isAccepted());
}

// Dragging with a button held selects nothing: only clicks select.
void ContactListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void ContactListBox::keyPressEvent(QKeyEvent *event)
{
    // Selecting every contact is not a key of this list.
    if (event->matches(QKeySequence::SelectAll)) {
        event->ignore();
        return;
    }
    asUserInput([&] { QListWidget::keyPressEvent(event); });
}

void ContactListBox::focusInEvent(QFocusEvent *event)
{
    const bool hadCurrent = currentIndex().isValid();
    QListWidget::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid())
        setCurrentRowOnly(-1);
}

// Typing moves the current item to the matching line; Qt would also toggle
// its selection in a multiple-selection list.
void ContactListBox::keyboardSearch(const QString &search)
{
    const QItemSelection selection = selectionModel()->selection();
    QListWidget::keyboardSearch(search);
    if (selectionModel()->selection() != selection)
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}
