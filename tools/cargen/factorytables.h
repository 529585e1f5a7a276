#pragma once

#include "rom/cardata.h"

// The factory data the editor ships: the five rendered vehicles in all 45
// views, the ten palettes plus "Import/Export", and each car's
// characteristics and weapons. Deterministic: every call gives the same tables.
CarData GenerateFactoryData();

// The parts on their own.
SpriteTable RenderFactorySprites();
PaletteTable FactoryPalettes();              // 11 palettes, the last "Import/Export"
CharacteristicsTable FactoryCharacteristics();
WeaponTable FactoryWeapons();

// Turn and pitch of a rotation column (0..12) and tilt step (-4..4).
double YawForColumn(int column);
double PitchForTilt(int tilt);
