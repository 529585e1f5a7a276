#include "exchange/spriteexport.h"

#include <cstring>

#include "exchange/indexedpicture.h"
#include "exchange/numberednames.h"
#include "exchange/rawsprites.h"
#include "exchange/sheetlayout.h"
#include "exchange/spritefiles.h"
#include "rom/outputfile.h"
#include "view/spritecomposer.h"

namespace {

const SpritePixels *SpriteAt(const SpriteTable &sprites, int car, int sprite)
{
    if (car < 0 || car >= sprites.size() || sprite < 0 || sprite >= sprites[car].size())
        return nullptr;
    return &sprites[car][sprite];
}

// Copies a 48 x 48 RGB888 picture into an RGB888 sheet at the given corner.
void PasteCell(QImage &sheet, const QImage &cell, QPoint topLeft)
{
    const int rowBytes = 3 * kSpriteSide;
    for (int y = 0; y < kSpriteSide; ++y)
        std::memcpy(sheet.scanLine(topLeft.y() + y) + 3 * topLeft.x(), cell.constScanLine(y), rowBytes);
}

// Draws the view sheet of car with its top-left corner at row top of sheet.
void DrawCarSheet(QImage &sheet, const ExchangeData &data, int car, int top)
{
    for (const SheetCell &cell : ViewSheetCells()) {
        QImage picture = SpritePicture(data, car, cell.sprite);
        if (picture.format() != QImage::Format_RGB888)
            picture = picture.convertToFormat(QImage::Format_RGB888);
        PasteCell(sheet, picture, cell.topLeft + QPoint(0, top));
    }
}

QByteArray RawBytes(const ExchangeData &data, int car, int sprite)
{
    const SpritePixels *pixels = SpriteAt(data.sprites, car, sprite);
    if (!pixels)
        return {};
    return RawSpriteBytes(*pixels, OffsetOf(data.offsets, car, sprite));
}

Failure CannotWrite(const QString &fileName, const QString &reason)
{
    return Failure{fileName, reason, 0, Failure::Action::WriteFile};
}

// Every numbered file encoded first, then written all or nothing.
Result<int> WriteSeparateFiles(const QString &fileName, const ExchangeSelection &selection, const ExchangeData &data,
                               bool indexed)
{
    const bool raw = !indexed && IsRawSpriteFile(fileName);
    QList<OutputFile> files;
    for (int c = 0; c < data.sprites.size(); ++c) {
        for (int s = 0; s < data.sprites[c].size(); ++s) {
            if (!selection.Covers(c, s))
                continue;
            const QString name = ExportFileName(fileName, selection.scope, c, s);
            if (raw) {
                files.append({name, RawBytes(data, c, s)});
                continue;
            }
            const Result<QByteArray> picture =
                EncodePicture(name, indexed ? IndexedSpritePicture(data, c, s) : SpritePicture(data, c, s));
            if (!picture)
                return CannotWrite(name, picture.failure().reason);
            files.append({name, *picture});
        }
    }
    if (const Result<void> written = WriteOutputFiles(files); !written)
        return CannotWrite(written.failure().file, written.failure().reason);
    return int(files.size());
}

QByteArray RawScope(const ExchangeSelection &selection, const ExchangeData &data)
{
    QByteArray bytes;
    for (int c = 0; c < data.sprites.size(); ++c) {
        for (int s = 0; s < data.sprites[c].size(); ++s) {
            if (selection.Covers(c, s))
                bytes += RawBytes(data, c, s);
        }
    }
    return bytes;
}

QImage PictureScope(const ExchangeSelection &selection, const ExchangeData &data, bool indexed)
{
    switch (selection.scope) {
    case ExchangeScope::Sprite:
        return indexed ? IndexedSpritePicture(data, selection.car, selection.sprite)
                       : SpritePicture(data, selection.car, selection.sprite);
    case ExchangeScope::Car:
        return indexed ? IndexedCarSheetPicture(data, selection.car) : CarSheetPicture(data, selection.car);
    case ExchangeScope::AllCars:
        return indexed ? IndexedAllCarsSheetPicture(data) : AllCarsSheetPicture(data);
    }
    return {};
}

}  // namespace

QImage SpritePicture(const ExchangeData &data, int car, int sprite)
{
    return ComposeSpriteImage(SpriteAt(data.sprites, car, sprite), data.palette, data.background,
                              OffsetOf(data.offsets, car, sprite), false, false, data.colors);
}

QImage CarSheetPicture(const ExchangeData &data, int car)
{
    QImage sheet(kViewSheetSize, QImage::Format_RGB888);
    sheet.fill(ShownColor(data.background, data.colors));
    DrawCarSheet(sheet, data, car, 0);
    return sheet;
}

QImage AllCarsSheetPicture(const ExchangeData &data)
{
    const int cars = static_cast<int>(data.sprites.size());
    QImage sheet(kViewSheetSize.width(), kViewSheetSize.height() * cars, QImage::Format_RGB888);
    sheet.fill(ShownColor(data.background, data.colors));
    for (int c = 0; c < cars; ++c)
        DrawCarSheet(sheet, data, c, kViewSheetSize.height() * c);
    return sheet;
}

Result<int> WriteSpriteFiles(const QString &fileName, const ExchangeSelection &selection, const ExchangeData &data,
                             SpriteFileType type)
{
    const bool indexed = type == SpriteFileType::IndexedPicture;
    if (indexed && !IsIndexedPictureFile(fileName))
        return CannotWrite(fileName, QStringLiteral("indexed pictures are written as .png or .bmp files"));
    if (selection.separateFiles)
        return WriteSeparateFiles(fileName, selection, data, indexed);
    const Result<void> written = !indexed && IsRawSpriteFile(fileName)
                                     ? WriteOutputFile(fileName, RawScope(selection, data))
                                     : WritePictureFile(fileName, PictureScope(selection, data, indexed));
    if (!written)
        return CannotWrite(fileName, written.failure().reason);
    return 1;
}
