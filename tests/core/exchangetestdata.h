#pragma once

// Sprites, palettes and sheets for the exchange tests, made in the test.

#include <QRandomGenerator>

#include "rom/cardata.h"
#include "rom/colorword.h"

inline const QColor kExchangeBackground(218, 218, 218);

// A sprite of reproducible random indices drawn from the given set.
inline SpritePixels RandomSprite(quint32 seed, const QList<int> &indices)
{
    QRandomGenerator random(seed);
    SpritePixels pixels(kPixelsPerSprite);
    for (int &p : pixels)
        p = indices.at(random.bounded(int(indices.size())));
    return pixels;
}

// The indices a picture import can give back: entries 6 to 10 are never candidates.
inline QList<int> CandidateIndices()
{
    return {0, 1, 2, 3, 4, 5, 11, 12, 13, 14, 15};
}

// A car whose sprite s is RandomSprite(seed + s, indices).
inline QList<SpritePixels> RandomCar(quint32 seed, const QList<int> &indices)
{
    QList<SpritePixels> car;
    for (int s = 0; s < kSpritesPerCar; ++s)
        car.append(RandomSprite(seed + s, indices));
    return car;
}

inline SpriteTable RandomTable(quint32 seed, const QList<int> &indices)
{
    SpriteTable table;
    for (int c = 0; c < kCarCount; ++c)
        table.append(RandomCar(seed + 100 * c, indices));
    return table;
}
