#include "factorytables.h"

#include "rasterizer.h"
#include "rom/colorword.h"
#include "vehicles.h"
#include "view/viewtable.h"

namespace {

QColor Level(int red, int green, int blue)
{
    return QColor(ColorLevels[red], ColorLevels[green], ColorLevels[blue]);
}

// Body shades (light, middle, dark) in 3-bit levels per palette, in the order
// of the palette names: Blue, Opponent 3, Black, Yellow, Red, Green, -,
// Opponent 2, Opponent 1, -.
struct BodyShades
{
    int light[3], middle[3], dark[3];
};

constexpr BodyShades kBodies[kRomPaletteCount] = {
    {{2, 4, 7}, {0, 2, 6}, {0, 1, 3}},   // Blue
    {{6, 3, 7}, {4, 1, 5}, {2, 0, 3}},   // Opponent 3: purple
    {{4, 4, 4}, {2, 2, 3}, {1, 1, 2}},   // Black
    {{7, 7, 3}, {7, 6, 0}, {5, 3, 0}},   // Yellow
    {{7, 3, 2}, {6, 0, 0}, {3, 0, 0}},   // Red
    {{3, 6, 2}, {1, 4, 0}, {0, 2, 0}},   // Green
    {{7, 7, 7}, {5, 5, 5}, {2, 3, 3}},   // -: silver
    {{7, 5, 2}, {7, 3, 0}, {4, 1, 0}},   // Opponent 2: orange
    {{2, 6, 6}, {0, 4, 4}, {0, 2, 2}},   // Opponent 1: teal
    {{6, 5, 3}, {4, 3, 1}, {2, 1, 0}},   // -: bronze
};

// Everything but the body: tyres, lights, glass, metal (indices 0, 4, 5 and
// 11..15). Every colour a sprite uses differs from the others of its palette
// and from the background grey, so that a picture comes back as the same
// indices. Entries 6..10 are not painted with; they hold colours of their own
// that no picture of the cars contains.
Palette SharedColours()
{
    Palette p(kColorsPerPalette);
    p[0] = Level(0, 0, 0);
    p[4] = Level(3, 3, 3);   // tyre stripes
    p[5] = Level(1, 1, 1);
    p[6] = Level(7, 0, 0);   // not painted with
    p[7] = Level(3, 3, 4);
    p[8] = Level(7, 4, 0);
    p[9] = Level(0, 1, 2);
    p[10] = Level(5, 6, 6);
    p[11] = Level(7, 7, 6);  // headlights, light metal
    p[12] = Level(2, 3, 4);  // glass
    p[13] = Level(2, 2, 2);  // rubber, dark metal
    p[14] = Level(0, 0, 1);  // outline, grilles, dark glass
    p[15] = Level(7, 2, 0);  // lamps, tail lights, glow
    return p;
}

} // namespace

double YawForColumn(int column)
{
    return 15.0 * column;
}

double PitchForTilt(int tilt)
{
    return 7.5 * tilt;
}

SpriteTable RenderFactorySprites()
{
    const Camera camera;
    SpriteTable table;
    for (const Mesh &vehicle : FactoryVehicles()) {
        QList<SpritePixels> sprites(kSpritesPerCar);
        for (int row = 0; row < kTiltRows; ++row) {
            for (int column = 0; column < kRotationColumns; ++column) {
                const int number = ViewSpriteTable[row][column];
                if (number < 1)
                    continue;
                const Frame frame =
                    RenderView(vehicle, camera, YawForColumn(column), PitchForTilt(row + kMinTilt));
                sprites[number - 1] = ToStripOrder(frame);
            }
        }
        table.append(sprites);
    }
    return table;
}

PaletteTable FactoryPalettes()
{
    PaletteTable table;
    for (const BodyShades &body : kBodies) {
        Palette p = SharedColours();
        p[1] = Level(body.light[0], body.light[1], body.light[2]);
        p[2] = Level(body.middle[0], body.middle[1], body.middle[2]);
        p[3] = Level(body.dark[0], body.dark[1], body.dark[2]);
        table.append(p);
    }
    table.append(ImportExportPalette());
    return table;
}

CharacteristicsTable FactoryCharacteristics()
{
    // top speed, acceleration, adhesion, cornering, jumping
    return {
        QByteArray::fromHex("d2b4968c50"),   // sports car: fast, grips, jumps badly
        QByteArray::fromHex("96c87ab4d2"),   // buggy: quick off the line, jumps well
        QByteArray::fromHex("8c78b46e96"),   // pickup: heavy and steady
        QByteArray::fromHex("6e5ae65a3c"),   // battle car: slow, sticks to the road
        QByteArray::fromHex("e68c50c8b4"),   // hover car: fastest, little grip
    };
}

WeaponTable FactoryWeapons()
{
    // weapon A, weapon C (0 exploding mine, 1 tracking bullet, 2 rocket,
    // 3 bullet, 4 oil, 5 mine), jump/turbo (0 jump, 1 turbo)
    return {
        QByteArray::fromHex("020301"),
        QByteArray::fromHex("000400"),
        QByteArray::fromHex("050300"),
        QByteArray::fromHex("010201"),
        QByteArray::fromHex("030100"),
    };
}

CarData GenerateFactoryData()
{
    return {RenderFactorySprites(), FactoryPalettes(), FactoryCharacteristics(), FactoryWeapons()};
}
