#pragma once

#include <QList>

#include "view/viewtable.h"

// The view's animation: auto-rotate, auto-tilt and auto-wheels step the view
// once a tick; an animated export plays one loop of the same steps.

// What the animation moves.
struct AnimationMotion
{
    bool turn = false;     // rotation one step on, 23 wrapping to 0
    bool tilt = false;     // tilt one step up or down, turning at -4 and 4
    bool wheels = false;   // the wheel colours change places every tick
};

// Where the animation stands.
struct AnimationPose
{
    int rotation = 0;          // 0..23
    int tilt = 0;              // -4..4
    bool wheelsTurned = false;
    bool tiltRising = true;    // the way the tilt goes

    friend bool operator==(const AnimationPose &, const AnimationPose &) = default;
};

// One tick: the wheels change places, the rotation steps on, the tilt steps
// as StepTiltValue does between -4 and 4, each only where motion asks.
AnimationPose NextAnimationPose(const AnimationPose &pose, const AnimationMotion &motion);

// How many ticks the animation takes to come round to where it started:
// 24 turning, 16 tilting (-4 to 4 and back), 48 both; doubled to an even
// number with the wheels; 1 when nothing moves.
int AnimationLoopLength(const AnimationMotion &motion);

// One picture of the loop: the pose and the sprite the view shows for it.
// Where the pose's view has no sprite, the view keeps the sprite it showed
// before, so the frame takes the sprite (and mirroring) of the nearest
// earlier frame that has one, going round the loop.
struct AnimationFrame
{
    AnimationPose pose;
    ViewLookup view;
};

// The frames of one loop, starting at start (rotation wrapped into 0..23,
// tilt clamped to -4..4). Every frame has a sprite except when no pose of the
// loop has one.
QList<AnimationFrame> AnimationLoop(AnimationPose start, const AnimationMotion &motion);
