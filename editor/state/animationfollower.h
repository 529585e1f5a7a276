#pragma once

#include <functional>
#include <utility>

#include <QTimer>

#include "editor/state/selection.h"

// Runs the update of a display that follows the selection (the form's
// controls, the palette-use marks, the overview's frame, the view's name and
// the cursor's description): at once for a change
// by the user, at most ten times a second for the animation's steps. A number
// or mark on show for 20 ms cannot be read, and each update repaints. The
// first step after a quiet tenth of a second shows at once, so a slow
// animation is followed step by step; later ones wait for the end of that
// tenth, and the last step is always shown.
class AnimationFollower
{
public:
    static constexpr int kIntervalMs = 100;

    explicit AnimationFollower(std::function<void()> update) : update(std::move(update))
    {
        quiet.setSingleShot(true);
        quiet.setInterval(kIntervalMs);
        QObject::connect(&quiet, &QTimer::timeout, &quiet, [this] {
            if (!waiting)
                return;
            waiting = false;
            this->update();
            quiet.start();
        });
    }
    AnimationFollower(const AnimationFollower &) = delete;
    AnimationFollower &operator=(const AnimationFollower &) = delete;

    // The update, now or (for an animation step within a tenth of a second of
    // the last update) at the end of that tenth.
    void follow(Selection::Parts parts)
    {
        if (!(parts & Selection::Animated)) {
            now();
        } else if (quiet.isActive()) {
            waiting = true;
        } else {
            update();
            quiet.start();
        }
    }
    // The update now (the one waiting is not needed): for a change by the
    // user, or one other than the selection's.
    void now()
    {
        cancel();
        update();
    }

private:
    // The update waiting is not needed.
    void cancel()
    {
        waiting = false;
        quiet.stop();
    }

    std::function<void()> update;
    QTimer quiet;
    bool waiting = false;
};
