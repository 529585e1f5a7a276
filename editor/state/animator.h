#pragma once

#include <QObject>
#include <QTimer>

class Selection;

// The window's animation: on each tick of its timer it turns the car one
// rotation step, tilts it one step (up to 4 and back down to -4) and turns the
// wheels, each when switched on, as one change of the selection. A stroke in
// progress pauses it, so the sprite under the pen stays.
class Animator : public QObject
{
    Q_OBJECT

public:
    explicit Animator(Selection &selection, QObject *parent = nullptr);

    void setRotating(bool on) { rotating = on; }
    void setTilting(bool on) { tilting = on; }
    void setRollingWheels(bool on) { rolling = on; }
    bool isRotating() const { return rotating; }
    bool isTilting() const { return tilting; }
    bool isRollingWheels() const { return rolling; }

    // Milliseconds between ticks; at least 1 (zero would be a busy loop).
    void setInterval(int milliseconds);
    int interval() const { return timer.interval(); }

    void start();
    void stop();
    // Ticking: started and not held.
    bool isActive() const { return timer.isActive(); }
    // Paused while held (a stroke): the timer stops and comes back on release
    // when it was started.
    void setHeld(bool held);

    // One step of what is switched on.
    void tick();

private:
    Selection &selection;
    QTimer timer;
    bool started = false;
    bool held = false;
    bool rotating = false;
    bool tilting = false;
    bool rolling = false;
};
