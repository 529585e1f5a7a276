#include "view/tilecounts.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

// A tile as four bits a pixel, rows top to bottom, each row left to right.
using TileKey = std::array<quint64, 4>;   // 256 bits: 16 pixels a word

using TileIndices = std::array<quint8, kTilePixels>;

TileKey KeyOf(const TileIndices &tile, bool flipX, bool flipY)
{
    TileKey key{};
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x) {
            const int from = (flipY ? kTileSide - 1 - y : y) * kTileSide + (flipX ? kTileSide - 1 - x : x);
            const int to = y * kTileSide + x;
            key[to / 16] |= quint64(tile[from]) << (4 * (to % 16));
        }
    return key;
}

// The same key for a tile and its three flips: the least of the four.
TileKey CanonicalKey(const TileIndices &tile)
{
    return std::min({KeyOf(tile, false, false), KeyOf(tile, true, false), KeyOf(tile, false, true),
                     KeyOf(tile, true, true)});
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
            TileIndices indices{};
            bool empty = true;
            for (int p = 0; p < kTilePixels; ++p) {
                const int n = tile * kTilePixels + p;
                indices[p] = quint8((n < pixels.size() ? pixels.at(n) : 0) & 0xF);
                empty = empty && indices[p] == 0;
            }
            if (empty)
                kinds.append(TileKind::Empty);
            else
                kinds.append(seen.insert(CanonicalKey(indices)).second ? TileKind::Used : TileKind::Duplicate);
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
