#pragma once

#include <QList>
#include <QPair>

#include "rom/cardata.h"
#include "view/spriteoffsets.h"

// Everything a step of the editor can change: the working copies of the four
// ROM tables (palettes including the editor's "Import/Export" palette) and the
// pending sprite offsets. Copies are cheap: the Qt containers share their data
// until one side changes.
struct DocumentTables
{
    SpriteTable sprites;
    PaletteTable palettes;
    CharacteristicsTable characteristics;
    WeaponTable weapons;
    SpriteOffsets offsets;

    friend bool operator==(const DocumentTables &, const DocumentTables &) = default;
};

// Whether two sets of tables have the same shape (number of cars, sprites,
// palettes, ...): a step never changes it.
inline bool SameShape(const DocumentTables &a, const DocumentTables &b)
{
    const auto nested = [](const auto &x, const auto &y) {
        if (x.size() != y.size())
            return false;
        for (qsizetype i = 0; i < x.size(); ++i)
            if (x.at(i).size() != y.at(i).size())
                return false;
        return true;
    };
    return nested(a.sprites, b.sprites) && nested(a.offsets, b.offsets) && a.palettes.size() == b.palettes.size()
        && a.characteristics.size() == b.characteristics.size() && a.weapons.size() == b.weapons.size();
}

// Which car, sprite and palette a step touched, so that undo and redo can
// show it; -1 where the step does not concern one.
struct StepFocus
{
    int car = -1;
    int sprite = -1;
    int palette = -1;
};

// Which items a change set: the window redraws only what it shows of them.
struct TableChanges
{
    QList<QPair<int, int>> sprites;   // (car, sprite): pixels or pending offset
    QList<int> palettes;
    QList<int> equipmentCars;         // characteristics or weapons
    bool everything = false;          // a new ROM: all of it

    bool touchesSprite(int car, int sprite) const { return everything || sprites.contains({car, sprite}); }
    bool touchesPalette(int palette) const { return everything || palettes.contains(palette); }
    bool touchesEquipment(int car) const { return everything || equipmentCars.contains(car); }
};
