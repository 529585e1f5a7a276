#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRgb>

// One level of a tiling: width x height blocks of the level below (pixels for
// level 0), ordered left to right, then top to bottom.
struct TileLevel
{
    int width = 1;
    int height = 1;
    // Size in pixels of one block of this level, derived from the levels below.
    int cumulativeWidth = 1;
    int cumulativeHeight = 1;
    int cumulativeArea = 1;

    friend bool operator==(const TileLevel &, const TileLevel &) = default;
};

// A small indexed image whose pixels are stored in a tiled order: pixel n of
// the storage order lies where the tiling hierarchy puts it (positionOf).
// A plain value; colour index i shows colors[i].
class TiledIndexedImage
{
public:
    TiledIndexedImage() = default;

    // Adds a level on top of the existing ones. Refused (false, nothing
    // changes) unless width > 0 and height > 0 and the resulting picture stays
    // within int range.
    bool appendLevel(int width, int height);
    // Adds a colour to the table; returns its index.
    int appendColor(QRgb color);
    // Replaces the pixel list; pixel n is the colour index of storage position n.
    void setPixels(const QList<int> &pixels);

    // Picture position of storage index n, (-1, -1) outside 0..total-1.
    QPoint positionOf(int n) const;
    // Size of the whole picture (the last level's block); 0 without levels.
    int width() const;
    int height() const;
    int area() const;

    // An Indexed8 picture of width() x height() with the colour table.
    // Pixels whose index has no colour (or does not fit 8 bits) show index 0,
    // storage positions without a pixel show index 0, pixels beyond the area
    // are ignored. A null image when there is no level.
    QImage render() const;

    const QList<TileLevel> &levels() const { return levelList; }
    const QList<QRgb> &colors() const { return colorTable; }
    const QList<int> &pixels() const { return pixelList; }

private:
    QList<TileLevel> levelList;   // innermost level first
    int total = 0;                // cumulative area of the last level
    QList<QRgb> colorTable;
    QList<int> pixelList;
};

// The tiling of a car sprite: strips of 8 x 24 pixels (three 8 x 8 tiles
// stacked), six strips side by side and two rows of strips, 48 x 48 in all.
// The returned image has the two levels and no colours or pixels.
TiledIndexedImage SpriteTiling();
