#pragma once

#include <functional>
#include <utility>

#include <QElapsedTimer>
#include <QTimer>

#include "editor/state/selection.h"

// Runs the update of a display that follows the selection (the form's
// controls, the palette-use marks, the overview's frame, the view's name and
// the cursor's description): at once for a change by the user, at most five
// times a second for the animation's steps. A number or mark on show for 20 ms
// cannot be read, and each update repaints (in the animated window these
// updates were a quarter of the work at ten a second).
//
// The steps are shown by spans of a fifth of a second all followers share: a
// step a span or more after the step that opened the last span opens a new one
// and shows at once, later steps in that span wait. So a slow animation is
// followed step by step, every follower updates in the same step (their
// repaints join the view's paint of that step), and the last step is shown
// at most a span after the first one that waited.
class AnimationFollower
{
public:
    static constexpr int kIntervalMs = 200;

    explicit AnimationFollower(std::function<void()> update) : update(std::move(update))
    {
        trailing.setSingleShot(true);
        trailing.setInterval(kIntervalMs);
        QObject::connect(&trailing, &QTimer::timeout, &trailing, [this] {
            if (!waiting)
                return;
            waiting = false;
            this->update();
        });
    }
    AnimationFollower(const AnimationFollower &) = delete;
    AnimationFollower &operator=(const AnimationFollower &) = delete;

    // The update, now or (for an animation step in the span of the last
    // update) with a later step, or a span after this one.
    void follow(Selection::Parts parts)
    {
        if (!(parts & Selection::Animated)) {
            now();
            return;
        }
        const qint64 opened = OpenedSpan();
        if (opened != shownSpan) {
            shownSpan = opened;
            waiting = false;
            trailing.stop();
            update();
        } else if (!waiting) {
            // The first step of this span that waits: at the latest a span
            // from now the last one is shown. Later steps leave the timer be
            // (at 20 ms a step, restarting five timers a step costs more than
            // the updates they save).
            waiting = true;
            trailing.start();
        }
    }
    // The update now (the one waiting is not needed): for a change by the
    // user, or one other than the selection's.
    void now()
    {
        waiting = false;
        trailing.stop();
        update();
    }

private:
    // When the span of the step being followed opened (milliseconds on a
    // clock all followers share): a step a span after it opens another.
    static qint64 OpenedSpan()
    {
        static QElapsedTimer clock;
        static qint64 opened = -1;
        if (!clock.isValid())
            clock.start();
        const qint64 at = clock.elapsed();
        if (opened < 0 || at - opened >= kIntervalMs)
            opened = at;
        return opened;
    }

    std::function<void()> update;
    QTimer trailing;
    qint64 shownSpan = -1;   // the opening of the span last shown
    bool waiting = false;
};
