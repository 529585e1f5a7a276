#pragma once

#include <QColor>
#include <QList>
#include <QRgb>
#include <QString>
#include <QWidget>

#include "rom/cardata.h"

class QButtonGroup;
class QToolButton;

// What a screen reader says for a swatch: "index 7, red 252 green 0 blue 0".
QString SwatchName(int index, const QColor &color);

// A row of 16 small swatches for the colour indices 0..15 a sprite is drawn
// with: index 0 shows the background colour, 1..15 the palette entries. One of
// them, the current index, is marked (checked). Each swatch is a tool button
// with the accessible name and tooltip SwatchName; clicking one selects it.
class DrawingIndexStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kIndexCount = 16;

    explicit DrawingIndexStrip(QWidget *parent = nullptr);

    // Colours of indices 1..15 from the palette (missing entries show black),
    // index 0 from background. Swatches whose colour did not change are not touched.
    void setColors(const Palette &palette, const QColor &background);
    QList<QRgb> colors() const { return swatchColors; }

    int currentIndex() const { return current; }
    // Selects index (0..15; other values are ignored), emitting
    // currentIndexChanged when it changes.
    void setCurrentIndex(int index);

    QToolButton *swatch(int index) const;

signals:
    void currentIndexChanged(int index);

private:
    QList<QToolButton *> swatches;
    QButtonGroup *group = nullptr;
    QList<QRgb> swatchColors;
    int current = 1;
};
