#pragma once

#include <QList>

#include "rom/cardata.h"

// The 8 x 8 tiles the console's video memory holds for a car's sprites: which
// tiles are empty, which repeat another one, and what that costs.

inline constexpr int kTileSide = 8;
inline constexpr int kTilePixels = kTileSide * kTileSide;            // 64
inline constexpr int kTilesPerSprite = kPixelsPerSprite / kTilePixels; // 36
inline constexpr int kBytesPerTile = kTilePixels / 2;                 // 32, four bits a pixel

enum class TileKind {
    Used,        // holds a pixel other than index 0, and is the first of its kind
    Empty,       // all index 0
    Duplicate,   // equal to an earlier used tile, as stored or flipped horizontally, vertically or both
};

struct TileCounts
{
    int used = 0;        // tiles that are not empty (duplicates included)
    int empty = 0;
    int duplicate = 0;

    // Video memory the tiles take, every used tile stored, and with each
    // duplicate sharing the tile it repeats.
    int vramBytes() const { return kBytesPerTile * used; }
    int vramBytesShared() const { return kBytesPerTile * (used - duplicate); }

    friend bool operator==(const TileCounts &, const TileCounts &) = default;
};

// What each tile of a car is: kSpritesPerCar x kTilesPerSprite entries, sprite
// by sprite, each sprite's tiles in storage order (tile t holds the stored
// pixels 64 t .. 64 t + 63, row by row: the strips of 8 x 24 pixels are three
// tiles stacked). "Earlier" is that order. Sprites the list lacks and pixels a
// sprite lacks are index 0; a pixel counts by its low four bits, as stored.
QList<TileKind> ClassifyCarTiles(const QList<SpritePixels> &car);

// The counts of the kinds in `kinds`, or of the tiles of sprite `sprite`
// (0-based) alone; a sprite outside the list counts nothing.
TileCounts CountTiles(const QList<TileKind> &kinds);
TileCounts CountSpriteTiles(const QList<TileKind> &kinds, int sprite);

// The counts of a whole car.
TileCounts CountCarTiles(const QList<SpritePixels> &car);
