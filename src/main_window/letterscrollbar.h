#pragma once

#include <QScrollBar>

// The letter selector: a vertical scroll bar whose positions 0 to 25 stand
// for the letters A to Z. Typing a letter while it has the focus moves it to
// that letter; assistive technology reads its value as the letter.
class LetterScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit LetterScrollBar(QWidget *parent = nullptr);

    // The letter a position stands for: "A" for 0.
    static QString Letter(int value);

    // The list now shows count contacts under the current letter.
    void setShownCount(int count);
    // The letter and how many contacts the list shows under it, as a screen
    // reader says it: "R, 3 contatti".
    QString spokenText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_shownCount = 0;
};
