#pragma once

#include <optional>

#include <QColor>
#include <QList>
#include <QRgb>
#include <QString>
#include <QWidget>

#include "rom/cardata.h"
#include "rom/colorword.h"
#include "view/paletteuse.h"

class QButtonGroup;
class QToolButton;

// What a screen reader says for a swatch: "index 7, red 252 green 0 blue 0".
QString SwatchName(int index, const QColor &color);

// A row of 16 small swatches for the colour indices 0..15 a sprite is drawn
// with: index 0 shows the background colour, 1..15 the palette entries. One of
// them, the current index, is marked (checked). Each swatch is a tool button
// with the accessible name SwatchName ("index 7, red 252 green 0 blue 0");
// clicking one selects it, double-clicking it (or Enter on it) asks to edit
// its colour. The strip is one Tab stop, the current index's swatch; the
// arrow keys move the focus, and the current index with it, along the strip. Its tooltip says what the swatch does (SwatchToolTip) and, with
// the palette use given, how many pixels use the index; the swatches of
// indices the sprite on show does not use are crossed out.
class DrawingIndexStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kIndexCount = 16;

    explicit DrawingIndexStrip(QWidget *parent = nullptr);

    // Colours of indices 1..15 from the palette (missing entries show black),
    // index 0 from background. Swatches whose colour did not change are not touched.
    void setColors(const Palette &palette, const QColor &background, ColorModel model = ColorModel::Linear);
    QList<QRgb> colors() const { return swatchColors; }

    int currentIndex() const { return current; }
    // Selects index (0..15; other values are ignored), emitting
    // currentIndexChanged when it changes.
    void setCurrentIndex(int index);

    QToolButton *swatch(int index) const;
    // The tooltip of the swatch of index: the one place it is written.
    static QString SwatchToolTip(int index);
    // The first line of a swatch's tooltip: how the sprite, its car and the
    // other cars use the index ("index 7: 112 pixels in this sprite, ...").
    static QString UseText(const PaletteUse &use, int index);

    // How the indices are used; the tooltips and the marks follow it.
    void setUse(const PaletteUse &use);
    bool isMarkedUnused(int index) const;

signals:
    void currentIndexChanged(int index);
    // Double-click or Enter on the swatch of index.
    void editRequested(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The tooltip of one swatch, the one place it is made.
    QString toolTipFor(int index) const;
    void updateTabStop();
    void showSwatch(int index);
    // Each swatch keeps the size its style gives it: a new icon (the
    // unused-index mark follows the animation) then lays nothing out again.
    void fixSwatchSizes();

    QList<QToolButton *> swatches;
    QButtonGroup *group = nullptr;
    QList<QRgb> swatchColors;
    int current = 1;
    std::optional<PaletteUse> use;
};
