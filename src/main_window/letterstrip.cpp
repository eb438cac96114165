#include "main_window/letterstrip.h"

#include <QMouseEvent>

namespace {

constexpr int Letters = 26;

} // namespace

LetterStrip::LetterStrip(QWidget *parent) : QLabel(parent) {}

void LetterStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    // The text breaks at every space into lines of one letter, all of one
    // height, from the top of the label down.
    const QRect used =
        fontMetrics().boundingRect(contentsRect(), int(alignment()) | Qt::TextWordWrap, text());
    const qreal lineHeight = qreal(used.height()) / Letters;
    const qreal y = event->position().y() - used.top();
    if (lineHeight > 0 && y >= 0 && y < used.height())
        Q_EMIT letterClicked(qMin(int(y / lineHeight), Letters - 1));
}
