#pragma once

#include <QObject>

#include "editor/dialogs/animationexportoptions.h"

class ActionRegistry;
class Animator;
class CarDocument;
class Prompts;
class Selection;
class StatusSink;

// File > Export Animation: asks the options (what moves, wheel roll, zoom,
// index 0, console colours), then a file name (GIF or WebP by the suffix),
// and writes the car on show as the window's animation plays it, from the
// rotation and tilt on show, in the palette on show, each frame showing for
// the animation's interval (the speed slider). A failure is shown with the
// file and the reason; success is a status message.
class AnimationExportController : public QObject
{
    Q_OBJECT

public:
    AnimationExportController(const CarDocument &document, const Selection &selection, const Animator &animator,
                              Prompts &prompts, StatusSink &status, ActionRegistry &actions,
                              QObject *parent);

    // Writes the animation to path with the given options; false (and the
    // failure shown) when it could not be written.
    bool ExportTo(const QString &path, const AnimationExportOptions &options);

public slots:
    void ExportAnimation();

private:
    const CarDocument &document;
    const Selection &selection;
    const Animator &animator;
    Prompts &prompts;
    StatusSink &status;
    AnimationExportOptions last;   // the dialog starts where the last export left it
};
