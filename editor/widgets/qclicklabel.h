#pragma once

#include <QLabel>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

// A label that reports mouse presses: Clicked() for the left button,
// ClickedRight() for the right one. The form uses it for the colour swatches
// and for the command labels that stand where buttons would. It is a Tab
// stop like a tool button (a click does not take the focus): with the focus
// it shows a frame in the highlight colour, and Space, Enter or Return do
// what a left click does. Screen readers see it as a button named by its
// accessible name or else its text, with a press action that clicks it.
class QClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit QClickLabel(QWidget *parent = nullptr);

    // What a left click does: emits Clicked().
    void click() { emit Clicked(); }

signals:
    void Clicked();
    void ClickedRight();

protected:
    // Emits on the press itself; the press is kept (accepted) and never handed
    // to QLabel or the parent, whatever the button.
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
