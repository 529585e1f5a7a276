#pragma once

#include <QLabel>

class QMouseEvent;

// A label that reports mouse presses: Clicked() for the left button,
// ClickedRight() for the right one. The form uses it for the colour swatches
// and for the command labels that stand where buttons would.
class QClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit QClickLabel(QWidget *parent = nullptr);

signals:
    void Clicked();
    void ClickedRight();

protected:
    // Emits on the press itself; the press is kept (accepted) and never handed
    // to QLabel or the parent, whatever the button.
    void mousePressEvent(QMouseEvent *event) override;
};
