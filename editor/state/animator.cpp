#include "editor/state/animator.h"

#include "editor/state/selection.h"
#include "view/tiltstepper.h"
#include "view/viewtable.h"

namespace {

// Direction of the automatic tilt, for the whole run of the program: switching
// auto-tilt off and on again carries on the way it was going.
bool tiltRising = true;

} // namespace

Animator::Animator(Selection &selection, QObject *parent) : QObject(parent), selection(selection)
{
    setObjectName(QStringLiteral("animator"));
    timer.setInterval(60);
    connect(&timer, &QTimer::timeout, this, &Animator::tick);
}

void Animator::setInterval(int milliseconds)
{
    timer.setInterval(qMax(1, milliseconds));
}

void Animator::start()
{
    started = true;
    if (!held)
        timer.start();
}

void Animator::stop()
{
    started = false;
    timer.stop();
}

void Animator::setHeld(bool hold)
{
    held = hold;
    if (held)
        timer.stop();
    else if (started)
        timer.start();
}

void Animator::tick()
{
    int rotation = selection.rotation();
    int tilt = selection.tilt();
    bool wheels = selection.wheelsTurned();
    if (rolling)
        wheels = !wheels;
    if (rotating)
        rotation = rotation >= kRotationSteps - 1 ? 0 : rotation + 1;
    if (tilting)
        tilt = StepTiltValue(tilt, kMinTilt, kMaxTilt, tiltRising);
    selection.setView(rotation, tilt, wheels);
}
