#include "exchange/spriteconversion.h"

#include <algorithm>

#include "exchange/indexedpicture.h"
#include "exchange/palettematcher.h"
#include "exchange/perceptualmatcher.h"
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

// The matcher of one import: made once for all the cells of a sheet, so
// that the perceptual matcher's per-colour answers serve every cell.
class CandidateMatcher
{
public:
    CandidateMatcher(const Palette &palette, const QColor &background, const MatchOptions &options)
        : classic(options.matching == ColorMatching::Classic)
    {
        const QList<QColor> candidates = ImportCandidates(palette, background);
        paletteIndex = CandidateIndices(candidates, palette, background);
        classicMatcher.SetDither(options.dither);
        classicMatcher.SetTransparentIsFirst(true);
        perceptualMatcher.SetDither(options.dither);
        perceptualMatcher.SetTransparentIsFirst(true);
        for (const QColor &color : candidates) {
            if (classic)
                classicMatcher.AddColor(color);
            else
                perceptualMatcher.AddColor(color);
        }
    }

    // The sprite pixels of a 48 x 48 picture that is not an indexed exchange picture.
    SpritePixels Convert(const QImage &image)
    {
        const QList<int> chosen = classic ? classicMatcher.MatchIndices(image) : perceptualMatcher.MatchIndices(image);
        SpritePixels pixels(kPixelsPerSprite);
        for (int k = 0; k < kPixelsPerSprite; ++k) {
            const QPoint p = SpritePixelPosition(k);
            pixels[k] = paletteIndex[chosen[p.y() * kSpriteSide + p.x()]];
        }
        return pixels;
    }

    // The palette index of every pixel of a picture of any size, row by row.
    QList<int> Indices(const QImage &image)
    {
        QList<int> chosen = classic ? classicMatcher.MatchIndices(image) : perceptualMatcher.MatchIndices(image);
        for (int &index : chosen)
            index = paletteIndex.value(index);
        return chosen;
    }

private:
    bool classic;
    QList<int> paletteIndex;
    PaletteMatcher classicMatcher;
    PerceptualMatcher perceptualMatcher;
};

}  // namespace

QList<QColor> ImportCandidates(const Palette &palette, const QColor &background)
{
    QList<QColor> candidates{background};
    for (int i : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15})
        candidates.append(PaletteEntry(palette, i));
    return candidates;
}

std::optional<SpritePixels> ConvertSpritePicture(const QImage &image, const Palette &palette,
                                                 const QColor &background, const MatchOptions &options)
{
    if (image.width() != kSpriteSide || image.height() != kSpriteSide)
        return std::nullopt;
    if (std::optional<SpritePixels> exact = IndexedSpritePixels(image, palette, background))
        return exact;
    return CandidateMatcher(palette, background, options).Convert(image);
}

QList<int> MatchPictureIndices(const QImage &image, const Palette &palette, const QColor &background,
                               const MatchOptions &options)
{
    if (image.isNull())
        return {};
    return CandidateMatcher(palette, background, options).Indices(image);
}

bool ConvertCarSheet(const QImage &sheet, const Palette &palette, const QColor &background,
                     const MatchOptions &options, QList<SpritePixels> &car)
{
    const QList<SheetCell> cells = SheetCellsFor(sheet.size());
    if (cells.isEmpty())
        return false;

    // One format conversion for the whole sheet instead of one per cell;
    // indexed exchange sheets keep their indices.
    const bool indexed = IsIndexedExchangePicture(sheet, palette, background);
    QImage source = sheet;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32 && !indexed)
        source = source.convertToFormat(QImage::Format_ARGB32);

    CandidateMatcher matcher(palette, background, options);
    bool allConverted = true;
    for (const SheetCell &cell : cells) {
        if (cell.sprite >= car.size()) {
            allConverted = false;
            continue;
        }
        const QImage picture = source.copy(QRect(cell.topLeft, QSize(kSpriteSide, kSpriteSide)));
        std::optional<SpritePixels> pixels;
        if (indexed)
            pixels = IndexedSpritePixels(picture, palette, background);
        if (!pixels)
            pixels = matcher.Convert(picture);
        car[cell.sprite] = *pixels;
    }
    return allConverted;
}
