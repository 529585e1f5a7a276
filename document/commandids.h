#pragma once

// Ids of the steps that merge with the step before them when it is of the same
// kind and concerns the same thing (a spin box typed into or clicked through).
// Steps that never merge use -1.
enum CommandId {
    kNoMerge = -1,
    kCharacteristicCommand = 1,
    kMoveSpriteCommand = 2,
    kDrawCommand = 3,   // never merged; named so that tests can tell strokes apart
};
