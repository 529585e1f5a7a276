#pragma once

// What File > Export Animation asks before the file name: what moves, the
// zoom, and how index 0 and the colours are drawn.
struct AnimationExportOptions
{
    enum class Motion { Turn, Tilt, Both };

    Motion motion = Motion::Turn;   // rotation 0..23 at the tilt on show, tilt -4..4 at the rotation, or both
    bool wheels = false;            // wheel roll
    int zoom = 2;                   // 1..10
    bool transparent = false;       // index 0 transparent instead of the editor's grey
    bool consoleColours = false;

    friend bool operator==(const AnimationExportOptions &, const AnimationExportOptions &) = default;
};
