#pragma once

#include <QObject>

#include "editor/state/animationfollower.h"
#include "editor/state/selection.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class SKMcarEditor;
}
QT_END_NAMESPACE

class Animator;

// Keeps the form's view controls and the selection in step: car, sprite,
// palette, rotation, tilt, mirrored, wheels, zoom and the Save/Load box's
// choices in both directions, and
// the animation switches and speed into the animator. A control changed by
// the user changes the selection; a changed selection loads the controls,
// quietly and only where they show something else. The animation's
// steps are shown at most ten times a second (the sprite view shows each).
class FormBinder : public QObject
{
    Q_OBJECT

public:
    FormBinder(Ui::SKMcarEditor &form, Selection &selection, Animator &animator, QObject *parent);

private:
    void ConnectControls();
    void ShowSelection();

    Ui::SKMcarEditor &form;
    Selection &selection;
    Animator &animator;
    AnimationFollower following{[this] { ShowSelection(); }};
};
