#include "view/animationloop.h"

#include <algorithm>
#include <numeric>

#include "view/tiltstepper.h"

AnimationPose NextAnimationPose(const AnimationPose &pose, const AnimationMotion &motion)
{
    AnimationPose next = pose;
    if (motion.wheels)
        next.wheelsTurned = !pose.wheelsTurned;
    if (motion.turn)
        next.rotation = pose.rotation >= kRotationSteps - 1 ? 0 : pose.rotation + 1;
    if (motion.tilt)
        next.tilt = StepTiltValue(pose.tilt, kMinTilt, kMaxTilt, next.tiltRising);
    return next;
}

int AnimationLoopLength(const AnimationMotion &motion)
{
    int length = 1;
    if (motion.turn)
        length = std::lcm(length, kRotationSteps);
    if (motion.tilt)
        length = std::lcm(length, 2 * (kMaxTilt - kMinTilt));
    if (motion.wheels)
        length = std::lcm(length, 2);
    return length;
}

QList<AnimationFrame> AnimationLoop(AnimationPose start, const AnimationMotion &motion)
{
    start.rotation = ((start.rotation % kRotationSteps) + kRotationSteps) % kRotationSteps;
    start.tilt = std::clamp(start.tilt, kMinTilt, kMaxTilt);

    const int length = AnimationLoopLength(motion);
    QList<AnimationFrame> frames;
    frames.reserve(length);
    AnimationPose pose = start;
    for (int i = 0; i < length; ++i) {
        frames.append(AnimationFrame{pose, FindSpriteByParameters(pose.rotation, pose.tilt)});
        pose = NextAnimationPose(pose, motion);
    }

    // Views without a sprite keep the one shown before; the frames before the
    // first sprite come after the last one when the loop plays round.
    const auto last = std::find_if(frames.crbegin(), frames.crend(),
                                   [](const AnimationFrame &frame) { return frame.view.spriteNumber != -1; });
    if (last == frames.crend())
        return frames;
    ViewLookup shown = last->view;
    for (AnimationFrame &frame : frames) {
        if (frame.view.spriteNumber == -1)
            frame.view = shown;
        else
            shown = frame.view;
    }
    return frames;
}
