#pragma once

#include <optional>

#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>

#include "exchange/exchangedata.h"
#include "exchange/exchangescope.h"
#include "rom/cardata.h"

// Indexed pictures: 8-bit pictures with a colour table whose pixel values are
// the sprites' colour indices, so that an indexed-colour editor can work on
// the indices themselves and nothing is matched on the way back.
//
// The colour table is the 16 colours a sprite is shown with: entry 0 the
// background colour, 1..15 the palette entries (wheels unturned). Pixels are
// the stored indices moved by the sprite's pending offset, as a picture
// export draws them; cells without a sprite and what an offset uncovers are 0.
// The pictures' tables are in the data's colour model.

// The 16 colours of the table, opaque, as the colour model shows them.
QList<QRgb> IndexedColorTable(const Palette &palette, const QColor &background,
                              ColorModel colors = ColorModel::Linear);

// Whether an indexed picture may be written under this name: the suffix (any
// letter case) names a format that keeps the colour table, "png" or "bmp".
bool IsIndexedPictureFile(const QString &fileName);

// The 48 x 48 indexed picture of a sprite, unmirrored.
QImage IndexedSpritePicture(const ExchangeData &data, int car, int sprite);
// The 624 x 432 indexed view sheet of a car (layout of sheetlayout.h).
QImage IndexedCarSheetPicture(const ExchangeData &data, int car);
// The view sheets of all cars stacked, car 1 at the top.
QImage IndexedAllCarsSheetPicture(const ExchangeData &data);
// The one indexed picture of the selection's scope: one of the three above.
QImage IndexedScopePicture(const ExchangeSelection &selection, const ExchangeData &data);

// Whether a picture is indexed (8 bits a pixel) with a table whose first 16
// entries are exactly the colours of IndexedColorTable (alpha not compared:
// an editor may mark entry 0 transparent).
bool IsIndexedExchangePicture(const QImage &image, const Palette &palette, const QColor &background);

// The pixel values of a 48 x 48 indexed exchange picture taken as indices, in
// strip order: no matching, no dithering. Nothing for any other picture, and
// for one that uses a table entry past 15 (it is matched instead).
std::optional<SpritePixels> IndexedSpritePixels(const QImage &image, const Palette &palette,
                                                const QColor &background);
