#pragma once

#include <functional>
#include <optional>

#include <QColor>
#include <QDialog>
#include <QWidget>

#include "palette/consolelevels.h"
#include "rom/colorword.h"

class QLabel;
class QLineEdit;
class QSpinBox;

// All 512 console colours as a grid of cells (GridCellOf), shown in a colour
// model, one of them current. A click or the arrow keys make another cell
// current (colourChanged); a double click, Return or Enter choose it
// (activated).
class ConsoleColourGrid : public QWidget
{
    Q_OBJECT

public:
    ConsoleColourGrid(ColorModel model, QWidget *parent = nullptr);

    ColorWord word() const { return current; }
    void setWord(ColorWord word);   // no signal
    // Where a cell lies, in widget coordinates.
    QRect cellRect(QPoint cell) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void colourChanged(ColorWord word);
    void activated(ColorWord word);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    std::optional<QPoint> cellAt(QPoint position) const;
    void moveTo(QPoint cell);

    ColorModel model;
    ColorWord current;
};

// Edit Colour: a palette entry's new colour from the console's 512, shown in
// the colour model on show, with its word and its three levels (each can be
// typed), the old and the new colour side by side, and "More..." for the
// general colour dialog, whose choice is snapped to the console's grid.
class ConsoleColourPicker : public QDialog
{
    Q_OBJECT

public:
    ConsoleColourPicker(const QString &title, ColorWord initial, ColorModel model, QWidget *parent = nullptr);

    ColorWord word() const { return chosen; }
    void setWord(ColorWord word);

    // What "More..." asks: a colour, nothing when cancelled. The general
    // colour dialog unless replaced (tests answer it themselves).
    using MoreChooser = std::function<std::optional<QColor>(const QColor &initial)>;
    void setMoreChooser(MoreChooser chooser) { more = std::move(chooser); }

private:
    void showWord();
    void chooseMore();

    ColorModel model;
    ColorWord initial;
    ColorWord chosen;
    MoreChooser more;
    ConsoleColourGrid *grid = nullptr;
    QSpinBox *red = nullptr;
    QSpinBox *green = nullptr;
    QSpinBox *blue = nullptr;
    QLineEdit *wordEdit = nullptr;
    QLabel *newSwatch = nullptr;
    bool showing = false;   // the controls are being set from the word
};
