#include "view/tilecounts.h"

#include <algorithm>
#include <array>
#include <set>

#include <QtEndian>

namespace {

// A tile as four bits a pixel: one 32-bit word a row, top to bottom, the
// leftmost pixel in the highest four bits.
using TileKey = std::array<quint32, kTileSide>;

// The row read right to left: the eight nibbles in reverse order.
quint32 Reversed(quint32 row)
{
    row = ((row & 0x0F0F0F0Fu) << 4) | ((row >> 4) & 0x0F0F0F0Fu);
    return qbswap(row);
}

// The same key for a tile and its three flips: the least of the four.
TileKey CanonicalKey(const TileKey &tile)
{
    TileKey flippedX, flippedY, flippedBoth;
    for (int y = 0; y < kTileSide; ++y) {
        flippedX[y] = Reversed(tile[y]);
        flippedY[kTileSide - 1 - y] = tile[y];
        flippedBoth[kTileSide - 1 - y] = flippedX[y];
    }
    return std::min({tile, flippedX, flippedY, flippedBoth});
}

} // namespace

QList<TileKind> ClassifyCarTiles(const QList<SpritePixels> &car)
{
    QList<TileKind> kinds;
    kinds.reserve(kSpritesPerCar * kTilesPerSprite);
    std::set<TileKey> seen;
    for (int sprite = 0; sprite < kSpritesPerCar; ++sprite) {
        const SpritePixels pixels = car.value(sprite);
        for (int tile = 0; tile < kTilesPerSprite; ++tile) {
            TileKey key{};
            const int first = tile * kTilePixels;
            const bool whole = first + kTilePixels <= pixels.size();
            for (int p = 0; p < kTilePixels; ++p) {
                const int n = first + p;
                const quint32 index = quint32((whole || n < pixels.size() ? pixels.at(n) : 0) & 0xF);
                key[p / kTileSide] |= index << (4 * (kTileSide - 1 - p % kTileSide));
            }
            const bool empty = key == TileKey{};
            if (empty)
                kinds.append(TileKind::Empty);
            else
                kinds.append(seen.insert(CanonicalKey(key)).second ? TileKind::Used : TileKind::Duplicate);
        }
    }
    return kinds;
}

TileCounts CountTiles(const QList<TileKind> &kinds)
{
    TileCounts counts;
    for (const TileKind kind : kinds) {
        if (kind == TileKind::Empty) {
            ++counts.empty;
            continue;
        }
        ++counts.used;
        if (kind == TileKind::Duplicate)
            ++counts.duplicate;
    }
    return counts;
}

TileCounts CountSpriteTiles(const QList<TileKind> &kinds, int sprite)
{
    if (sprite < 0 || (sprite + 1) * kTilesPerSprite > kinds.size())
        return {};
    return CountTiles(kinds.mid(sprite * kTilesPerSprite, kTilesPerSprite));
}

TileCounts CountCarTiles(const QList<SpritePixels> &car)
{
    return CountTiles(ClassifyCarTiles(car));
}
