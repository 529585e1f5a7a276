#include "view/spriteoffsets.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kStripWidth = 8;
constexpr int kStripHeight = 24;
constexpr int kStripsPerRow = kSpriteSide / kStripWidth;          // 6
constexpr int kStripArea = kStripWidth * kStripHeight;             // 192

constexpr int IndexAt(int x, int y)
{
    return kStripArea * (kStripsPerRow * (y / kStripHeight) + x / kStripWidth) + kStripWidth * (y % kStripHeight)
        + x % kStripWidth;
}

// Storage index of every frame position, row by row: the shift below looks
// indices up instead of computing them for each of the 2304 pixels.
constexpr std::array<int, kPixelsPerSprite> kIndexAt = [] {
    std::array<int, kPixelsPerSprite> table{};
    for (int y = 0; y < kSpriteSide; ++y)
        for (int x = 0; x < kSpriteSide; ++x)
            table[y * kSpriteSide + x] = IndexAt(x, y);
    return table;
}();

} // namespace

SpriteOffsets ZeroOffsetsFor(const SpriteTable &sprites)
{
    SpriteOffsets offsets;
    offsets.reserve(sprites.size());
    for (const QList<SpritePixels> &car : sprites)
        offsets.append(QList<QPoint>(car.size(), QPoint(0, 0)));
    return offsets;
}

QPoint SpritePixelPosition(int n)
{
    if (n < 0 || n >= kPixelsPerSprite)
        return QPoint(-1, -1);
    const int strip = n / kStripArea;
    const int r = n % kStripArea;
    return QPoint(kStripWidth * (strip % kStripsPerRow) + r % kStripWidth,
                  kStripHeight * (strip / kStripsPerRow) + r / kStripWidth);
}

int SpritePixelIndex(int x, int y)
{
    if (x < 0 || x >= kSpriteSide || y < 0 || y >= kSpriteSide)
        return -1;
    return IndexAt(x, y);
}

SpritePixels ShiftSpritePixels(const SpritePixels &pixels, int dx, int dy)
{
    const qsizetype size = pixels.size();
    SpritePixels result(size, 0);
    // Walk the destination rows and columns that receive a pixel; everything
    // else stays 0. The clamps keep huge offsets from overflowing.
    const int shiftX = std::clamp(dx, -kSpriteSide, kSpriteSide);
    const int shiftY = std::clamp(dy, -kSpriteSide, kSpriteSide);
    const int firstX = std::max(0, shiftX), endX = std::min(kSpriteSide, kSpriteSide + shiftX);
    const int firstY = std::max(0, shiftY), endY = std::min(kSpriteSide, kSpriteSide + shiftY);
    if (firstX >= endX || firstY >= endY)
        return result;

    const int *source = pixels.constData();
    int *target = result.data();
    const bool complete = size >= kPixelsPerSprite;
    for (int ny = firstY; ny < endY; ++ny) {
        const int toRow = ny * kSpriteSide;
        const int fromRow = (ny - shiftY) * kSpriteSide - shiftX;
        for (int nx = firstX; nx < endX; ++nx) {
            const int from = kIndexAt[fromRow + nx];
            const int to = kIndexAt[toRow + nx];
            if (complete || (from < size && to < size))
                target[to] = source[from];
        }
    }
    return result;
}

void ApplySpriteOffsets(SpriteTable &sprites, SpriteOffsets &offsets)
{
    for (qsizetype c = 0; c < sprites.size(); ++c) {
        if (c >= offsets.size())
            break;
        QList<SpritePixels> &car = sprites[c];
        const QList<QPoint> &carOffsets = offsets.at(c);
        const qsizetype count = std::min(car.size(), carOffsets.size());
        for (qsizetype s = 0; s < count; ++s) {
            const QPoint offset = carOffsets.at(s);
            // Clamped before negating: any shift of 48 or more empties the frame anyway.
            const int dy = -std::clamp(offset.y(), -kSpriteSide, kSpriteSide);
            if (!offset.isNull())
                car[s] = ShiftSpritePixels(car.at(s), offset.x(), dy);
        }
    }
    offsets = ZeroOffsetsFor(sprites);
}
