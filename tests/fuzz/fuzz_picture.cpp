// An arbitrary picture file through the import's reader, the sprite
// conversion and the car-sheet cutting: no crash, no hang; a picture comes
// back only within the size asked for; a 48 x 48 picture gives 2304 indices
// 0..15 and any other size none; the picture tiled over both sheet layouts
// converts every cell, and any other size changes nothing.

#include <cstdint>

#include <QCoreApplication>
#include <QImage>

#include "exchange/sheetlayout.h"
#include "exchange/spriteconversion.h"
#include "exchange/spritefiles.h"
#include "fuzzsupport.h"
#include "rom/colorword.h"

namespace {

// The picture repeated over a w x h canvas.
QImage tiled(const QImage &picture, QSize size)
{
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage canvas(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y % source.height()));
        auto *to = reinterpret_cast<QRgb *>(canvas.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            to[x] = from[x % source.width()];
    }
    return canvas;
}

void checkSprite(const std::optional<SpritePixels> &pixels)
{
    FUZZ_CHECK(pixels && pixels->size() == kPixelsPerSprite);
    for (int index : *pixels)
        FUZZ_CHECK(index >= 0 && index <= 15);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Image format plugins are found through the application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString path = FuzzScratchPath(QStringLiteral("picture"));
    FuzzWriteFile(path, QByteArray(reinterpret_cast<const char *>(bytes), static_cast<qsizetype>(size)));

    const QSize largest = kViewSheetSize;
    const Result<QImage> read = ReadPictureFile(path, largest);
    if (!read)
        return 0;
    const QImage &picture = *read;
    FUZZ_CHECK(picture.width() <= largest.width() && picture.height() <= largest.height());

    const Palette palette = ImportExportPalette();
    const QColor background = DefaultBackgroundColor();
    for (const bool dither : {false, true}) {
        const std::optional<SpritePixels> sprite =
            ConvertSpritePicture(picture, palette, background, MatchOptions{dither});
        if (picture.size() == QSize(kSpriteSide, kSpriteSide))
            checkSprite(sprite);
        else
            FUZZ_CHECK(!sprite);
    }

    // The car-sheet cutting, on the picture as it is and tiled to both layouts.
    const QList<SpritePixels> blank(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 0));
    QList<SpritePixels> car = blank;
    const bool isSheet = picture.size() == kViewSheetSize || picture.size() == kCompactSheetSize;
    FUZZ_CHECK(ConvertCarSheet(picture, palette, background, MatchOptions{}, car) == isSheet);
    if (!isSheet)
        FUZZ_CHECK(car == blank);
    for (const QSize sheet : {kViewSheetSize, kCompactSheetSize}) {
        car = blank;
        FUZZ_CHECK(ConvertCarSheet(tiled(picture, sheet), palette, background, MatchOptions{size % 2 == 1}, car));
        FUZZ_CHECK(car.size() == kSpritesPerCar);
        for (const SpritePixels &sprite : car)
            checkSprite(sprite);
    }
    return 0;
}
