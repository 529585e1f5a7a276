#pragma once

#include <optional>

#include <QObject>

#include "view/viewcopy.h"

class ActionRegistry;
class CarDocument;
class Selection;
class StatusSink;

// Sprite > Copy to Next Rotation, Copy to Previous Rotation and Copy to
// Mirrored Partner: the view on show, as it shows, becomes the start of
// another view of the same car (flipped where that view is shown mirrored,
// so that it shows the same; upside down for the partner), as one step, and
// that view is shown next. The target keeps its stored length.
class ViewCopyController : public QObject
{
    Q_OBJECT

public:
    // Registers actionCopyToNextRotation, actionCopyToPreviousRotation and
    // actionCopyToMirroredPartner.
    ViewCopyController(CarDocument &document, Selection &selection, StatusSink &status, ActionRegistry &actions,
                       QObject *parent);

public slots:
    void CopyToNextRotation();
    void CopyToPreviousRotation();
    void CopyToMirroredPartner();

private:
    enum class Target { Next, Previous, Partner };
    void CopyTo(Target target);

    CarDocument &document;
    Selection &selection;
    StatusSink &status;
};
