#pragma once

#include <QLabel>

// The letters A to Z beside the scroll bar, one per line. A click on a
// letter asks for that letter.
class LetterStrip : public QLabel
{
    Q_OBJECT

public:
    explicit LetterStrip(QWidget *parent = nullptr);

Q_SIGNALS:
    // 0 for "A", 25 for "Z".
    void letterClicked(int value);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
