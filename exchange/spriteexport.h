#pragma once

#include <QImage>
#include <QString>

#include "base/result.h"
#include "exchange/exchangedata.h"
#include "exchange/exchangescope.h"

// Pictures and raw data of sprites as a save would write them: every sprite
// moved by its pending offset, in the data's colour model. Exporting never
// changes the data.

// The 48 x 48 RGB888 picture of a sprite, unmirrored; a plain background
// square for a sprite the car does not have.
QImage SpritePicture(const ExchangeData &data, int car, int sprite);

// The 624 x 432 view sheet of a car: 13 rotation columns by 9 tilt rows (tilt
// -4 at the top); cells without a sprite are plain background.
QImage CarSheetPicture(const ExchangeData &data, int car);

// The view sheets of all cars stacked, car 1 at the top: 624 x (432 x cars).
QImage AllCarsSheetPicture(const ExchangeData &data);

// What an export writes: by the name's suffix (raw data for "bin", else a
// picture in the suffix's format), or indexed pictures (indexedpicture.h),
// which need a "png" or "bmp" name.
enum class SpriteFileType { BySuffix, IndexedPicture };

// Writes the selection to fileName, as raw data (suffix "bin", any case) or
// as pictures, and gives the number of files written. With separate files
// every sprite goes to its numbered file, the set all or nothing
// (WriteOutputFiles): a failure leaves every existing file as it was. Every
// file is written whole or not at all. Indexed pictures under a name that is
// not "png" or "bmp" are refused before anything is written. A failure reads
// "Cannot write file \"name\": reason", naming the file that failed.
Result<int> WriteSpriteFiles(const QString &fileName, const ExchangeSelection &selection, const ExchangeData &data,
                             SpriteFileType type = SpriteFileType::BySuffix);
