#pragma once

#include <functional>
#include <utility>

#include <QTimer>

#include "editor/selection.h"

// Runs the update of a display of secondary information (the palette-use
// marks, the overview's frame) for a change of the selection: at once for a
// change by the user, at most ten times a second for the animation's steps. A
// picture on show for 20 ms cannot be read, and each update repaints.
class AnimationFollower
{
public:
    static constexpr int kIntervalMs = 100;

    explicit AnimationFollower(std::function<void()> update) : update(std::move(update))
    {
        later.setSingleShot(true);
        later.setInterval(kIntervalMs);
        QObject::connect(&later, &QTimer::timeout, &later, [this] { this->update(); });
    }
    AnimationFollower(const AnimationFollower &) = delete;
    AnimationFollower &operator=(const AnimationFollower &) = delete;

    // The update, now or (for an animation step) within kIntervalMs.
    void follow(Selection::Parts parts)
    {
        if (!(parts & Selection::Animated))
            update();
        else if (!later.isActive())
            later.start();
    }
    // An update made by other means: the one waiting is not needed.
    void cancel() { later.stop(); }

private:
    std::function<void()> update;
    QTimer later;
};
