#pragma once

#include <optional>

#include <QColor>
#include <QImage>
#include <QList>

#include "exchange/matchoptions.h"
#include "rom/cardata.h"

// Pictures back to sprite pixels. Pictures are never scaled, cropped or
// centred: a sprite picture is exactly 48 x 48, a car sheet exactly one of the
// layouts of sheetlayout.h.

// The colours an imported pixel may take, in candidate order: the background
// (standing in for entry 0), then palette entries 1-5 and 11-15.
QList<QColor> ImportCandidates(const Palette &palette, const QColor &background);

// Converts a 48 x 48 picture into 2304 palette indices in strip order. Each
// pixel is matched to a candidate as options say (matchoptions.h) and takes the first
// palette index holding exactly that colour, entry 0 counting as the
// background: background pixels become 0, and a candidate whose colour a lower
// entry also holds takes the lower index. A pixel with alpha below 128 is
// background (0) and passes no dithering error. Nothing for any other size. An
// indexed exchange picture (indexedpicture.h) gives its pixel values as they are.
std::optional<SpritePixels> ConvertSpritePicture(const QImage &image, const Palette &palette,
                                                 const QColor &background, const MatchOptions &options);

// The palette index every pixel of a picture of any size is matched to, row
// by row, as ConvertSpritePicture matches (alpha below 128 gives 0). Empty
// for a null picture.
QList<int> MatchPictureIndices(const QImage &image, const Palette &palette, const QColor &background,
                               const MatchOptions &options);

// Converts every cell of a car sheet into the sprite it names, replacing that
// sprite of car. Returns false, changing nothing, for a picture of any other
// size; cells naming a sprite the car lacks are skipped and make the result false.
bool ConvertCarSheet(const QImage &sheet, const Palette &palette, const QColor &background,
                     const MatchOptions &options, QList<SpritePixels> &car);
