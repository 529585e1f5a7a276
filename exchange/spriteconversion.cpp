#include "exchange/spriteconversion.h"

#include <algorithm>

#include "exchange/indexedpicture.h"
#include "exchange/palettematcher.h"
#include "exchange/sheetlayout.h"
#include "view/spriteoffsets.h"

namespace {

QColor PaletteEntry(const Palette &palette, int i)
{
    return palette.value(i, QColor(0, 0, 0));
}

// For every candidate, the first palette index of its colour, with entry 0
// taken as the background.
QList<int> CandidateIndices(const QList<QColor> &candidates, const Palette &palette, const QColor &background)
{
    QList<QRgb> entries;
    entries.append(background.rgb());
    for (int i = 1; i < kColorsPerPalette; ++i)
        entries.append(PaletteEntry(palette, i).rgb());
    QList<int> indices;
    for (const QColor &candidate : candidates)
        indices.append(std::max<int>(0, entries.indexOf(candidate.rgb())));
    return indices;
}

}  // namespace

QList<QColor> ImportCandidates(const Palette &palette, const QColor &background)
{
    QList<QColor> candidates{background};
    for (int i : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15})
        candidates.append(PaletteEntry(palette, i));
    return candidates;
}

std::optional<SpritePixels> ConvertSpritePicture(const QImage &image, const Palette &palette,
                                                 const QColor &background, bool dither)
{
    if (image.width() != kSpriteSide || image.height() != kSpriteSide)
        return std::nullopt;
    if (std::optional<SpritePixels> exact = IndexedSpritePixels(image, palette, background))
        return exact;

    PaletteMatcher matcher;
    matcher.SetDither(dither);
    matcher.SetTransparentIsFirst(true);
    const QList<QColor> candidates = ImportCandidates(palette, background);
    for (const QColor &color : candidates)
        matcher.AddColor(color);
    const QList<int> chosen = matcher.MatchIndices(image);
    const QList<int> paletteIndex = CandidateIndices(candidates, palette, background);

    SpritePixels pixels(kPixelsPerSprite);
    for (int k = 0; k < kPixelsPerSprite; ++k) {
        const QPoint p = SpritePixelPosition(k);
        pixels[k] = paletteIndex[chosen[p.y() * kSpriteSide + p.x()]];
    }
    return pixels;
}

bool ConvertCarSheet(const QImage &sheet, const Palette &palette, const QColor &background, bool dither,
                     QList<SpritePixels> &car)
{
    const QList<SheetCell> cells = SheetCellsFor(sheet.size());
    if (cells.isEmpty())
        return false;

    // One format conversion for the whole sheet instead of one per cell;
    // indexed exchange sheets keep their indices.
    QImage source = sheet;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32
        && !IsIndexedExchangePicture(source, palette, background))
        source = source.convertToFormat(QImage::Format_ARGB32);

    bool allConverted = true;
    for (const SheetCell &cell : cells) {
        const QImage picture = source.copy(QRect(cell.topLeft, QSize(kSpriteSide, kSpriteSide)));
        std::optional<SpritePixels> pixels = ConvertSpritePicture(picture, palette, background, dither);
        if (!pixels || cell.sprite >= car.size()) {
            allConverted = false;
            continue;
        }
        car[cell.sprite] = *pixels;
    }
    return allConverted;
}
