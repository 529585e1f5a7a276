#include "exchange/indexedpicture.h"

#include <QFileInfo>

#include "exchange/sheetlayout.h"
#include "view/spritecomposer.h"
#include "view/spriteoffsets.h"

namespace {

QImage BlankIndexed(int width, int height, const ExchangeData &data)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(IndexedColorTable(data.palette, data.background, data.colors));
    image.fill(0);
    return image;
}

// Draws sprite of car, moved by its pending offset, with its top-left corner at topLeft.
void DrawIndexedSprite(QImage &image, const ExchangeData &data, int car, int sprite, QPoint topLeft)
{
    if (car < 0 || car >= data.sprites.size() || sprite < 0 || sprite >= data.sprites[car].size())
        return;
    SpritePixels pixels = data.sprites[car][sprite];
    pixels.resize(kPixelsPerSprite, 0);
    const QPoint offset = OffsetOf(data.offsets, car, sprite);
    const SpritePixels shifted = ShiftSpritePixels(pixels, offset.x(), -offset.y());
    for (int n = 0; n < kPixelsPerSprite; ++n) {
        const QPoint p = SpritePixelPosition(n) + topLeft;
        image.scanLine(p.y())[p.x()] = static_cast<uchar>(shifted[n] & 0x0F);
    }
}

void DrawIndexedCarSheet(QImage &image, const ExchangeData &data, int car, int top)
{
    for (const SheetCell &cell : ViewSheetCells())
        DrawIndexedSprite(image, data, car, cell.sprite, cell.topLeft + QPoint(0, top));
}

}  // namespace

QList<QRgb> IndexedColorTable(const Palette &palette, const QColor &background, ColorModel colors)
{
    return SpriteColorTable(palette, background, false, colors);
}

bool IsIndexedPictureFile(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("bmp");
}

QImage IndexedSpritePicture(const ExchangeData &data, int car, int sprite)
{
    QImage image = BlankIndexed(kSpriteSide, kSpriteSide, data);
    DrawIndexedSprite(image, data, car, sprite, QPoint(0, 0));
    return image;
}

QImage IndexedCarSheetPicture(const ExchangeData &data, int car)
{
    QImage image = BlankIndexed(kViewSheetSize.width(), kViewSheetSize.height(), data);
    DrawIndexedCarSheet(image, data, car, 0);
    return image;
}

QImage IndexedAllCarsSheetPicture(const ExchangeData &data)
{
    const int cars = static_cast<int>(data.sprites.size());
    QImage image = BlankIndexed(kViewSheetSize.width(), kViewSheetSize.height() * cars, data);
    for (int c = 0; c < cars; ++c)
        DrawIndexedCarSheet(image, data, c, kViewSheetSize.height() * c);
    return image;
}

QImage IndexedScopePicture(const ExchangeSelection &selection, const ExchangeData &data)
{
    switch (selection.scope) {
    case ExchangeScope::Sprite:
        return IndexedSpritePicture(data, selection.car, selection.sprite);
    case ExchangeScope::Car:
        return IndexedCarSheetPicture(data, selection.car);
    case ExchangeScope::AllCars:
        return IndexedAllCarsSheetPicture(data);
    }
    return {};
}

bool IsIndexedExchangePicture(const QImage &image, const Palette &palette, const QColor &background)
{
    if (image.format() != QImage::Format_Indexed8)
        return false;
    const QList<QRgb> table = image.colorTable();
    const QList<QRgb> expected = IndexedColorTable(palette, background);
    if (table.size() < expected.size())
        return false;
    for (int i = 0; i < expected.size(); ++i) {
        if ((table[i] & RGB_MASK) != (expected[i] & RGB_MASK))
            return false;
    }
    return true;
}

std::optional<SpritePixels> IndexedSpritePixels(const QImage &image, const Palette &palette,
                                                const QColor &background)
{
    if (image.width() != kSpriteSide || image.height() != kSpriteSide
        || !IsIndexedExchangePicture(image, palette, background))
        return std::nullopt;
    SpritePixels pixels(kPixelsPerSprite);
    for (int n = 0; n < kPixelsPerSprite; ++n) {
        const QPoint p = SpritePixelPosition(n);
        const int value = image.constScanLine(p.y())[p.x()];
        if (value >= kColorsPerPalette)
            return std::nullopt;
        pixels[n] = value;
    }
    return pixels;
}
