#include "exchange/spriteimport.h"

#include "exchange/numberednames.h"
#include "exchange/rawsprites.h"
#include "exchange/sheetlayout.h"
#include "exchange/spriteconversion.h"
#include "exchange/spritefiles.h"
#include "rom/romreader.h"
#include "view/offsetediting.h"

namespace {

bool HasSprite(const ExchangeData &data, int car, int sprite)
{
    return car >= 0 && car < data.sprites.size() && sprite >= 0 && sprite < data.sprites[car].size();
}

// The largest picture the scope can use, so that bigger ones are refused
// before they are decoded. All cars: one view sheet per car plus the rows
// that a height not divisible by the number of cars leaves over.
QSize LargestPicture(ExchangeScope scope, int cars)
{
    switch (scope) {
    case ExchangeScope::Sprite:
        return QSize(kSpriteSide, kSpriteSide);
    case ExchangeScope::Car:
        return kViewSheetSize;
    case ExchangeScope::AllCars:
        return QSize(kViewSheetSize.width(), kViewSheetSize.height() * cars + qMax(0, cars - 1));
    }
    return {};
}

bool ImportPictureSprite(const QImage &picture, int car, int sprite, ExchangeData &data, bool dither)
{
    if (!HasSprite(data, car, sprite))
        return false;
    std::optional<SpritePixels> pixels = ConvertSpritePicture(picture, data.palette, data.background, dither);
    if (!pixels)
        return false;
    data.sprites[car][sprite] = *pixels;
    ClearOffset(data.offsets, car, sprite);
    return true;
}

bool ImportPictureCar(const QImage &picture, int car, ExchangeData &data, bool dither)
{
    if (car < 0 || car >= data.sprites.size())
        return false;
    if (!ConvertCarSheet(picture, data.palette, data.background, dither, data.sprites[car]))
        return false;
    ResetCarOffsets(data.offsets, car);
    return true;
}

QString ReadSeparateFiles(const QString &picked, const ExchangeSelection &selection, ExchangeData &data, bool dither)
{
    const bool raw = IsRawSpriteFile(picked);
    QString errors;
    for (int c = 0; c < data.sprites.size(); ++c) {
        for (int s = 0; s < data.sprites[c].size(); ++s) {
            if (!selection.Covers(c, s))
                continue;
            const QString name = ImportFileName(picked, selection.scope, c, s);
            bool loaded = false;
            if (raw) {
                const SpriteTable table = ReadSprites(name, 0);
                if (RawTableHasFirstSprite(table)) {
                    data.sprites[c][s] = table[0][0];
                    ClearOffset(data.offsets, c, s);
                    loaded = true;
                }
            } else {
                const QImage picture = ReadPictureFile(name, QSize(kSpriteSide, kSpriteSide));
                loaded = ImportPictureSprite(picture, c, s, data, dither);
            }
            if (!loaded)
                errors += CannotLoadLine(name);
        }
    }
    return errors;
}

bool ReadOneRawFile(const QString &picked, const ExchangeSelection &selection, ExchangeData &data)
{
    const SpriteTable table = ReadSprites(picked, 0);
    if (!RawTableFits(table, selection.scope))
        return false;
    switch (selection.scope) {
    case ExchangeScope::Sprite:
        if (!HasSprite(data, selection.car, selection.sprite))
            return false;
        data.sprites[selection.car][selection.sprite] = table[0][0];
        ClearOffset(data.offsets, selection.car, selection.sprite);
        return true;
    case ExchangeScope::Car:
        if (selection.car < 0 || selection.car >= data.sprites.size())
            return false;
        data.sprites[selection.car] = table[0];
        if (selection.car < data.offsets.size())
            data.offsets[selection.car] = QList<QPoint>(table[0].size(), QPoint(0, 0));
        return true;
    case ExchangeScope::AllCars:
        data.sprites = table;
        data.offsets = ZeroOffsetsFor(data.sprites);
        return true;
    }
    return false;
}

QString ReadOnePicture(const QString &picked, const ExchangeSelection &selection, ExchangeData &data, bool dither)
{
    const int cars = static_cast<int>(data.sprites.size());
    const QImage picture = ReadPictureFile(picked, LargestPicture(selection.scope, cars));
    switch (selection.scope) {
    case ExchangeScope::Sprite:
        return ImportPictureSprite(picture, selection.car, selection.sprite, data, dither) ? QString()
                                                                                           : CannotLoadLine(picked);
    case ExchangeScope::Car:
        return ImportPictureCar(picture, selection.car, data, dither) ? QString() : CannotLoadLine(picked);
    case ExchangeScope::AllCars: {
        // The picture is cut into one full-width strip per car; rows left
        // over at the bottom are ignored.
        QString errors;
        const int stripHeight = cars > 0 ? picture.height() / cars : 0;
        for (int c = 0; c < cars; ++c) {
            const QImage strip = stripHeight > 0 ? picture.copy(0, c * stripHeight, picture.width(), stripHeight)
                                                 : QImage();
            // A car whose strip is refused keeps its sprites and its offsets.
            if (!ImportPictureCar(strip, c, data, dither))
                errors += CannotLoadLine(picked);
        }
        return errors;
    }
    }
    return {};
}

}  // namespace

QString CannotLoadLine(const QString &fileName)
{
    return QStringLiteral("Cannot load file \"%1\"\n").arg(fileName);
}

QString ReadSpriteFiles(const QString &picked, const ExchangeSelection &selection, ExchangeData &data, bool dither)
{
    if (selection.separateFiles)
        return ReadSeparateFiles(picked, selection, data, dither);
    if (IsRawSpriteFile(picked))
        return ReadOneRawFile(picked, selection, data) ? QString() : CannotLoadLine(picked);
    return ReadOnePicture(picked, selection, data, dither);
}
