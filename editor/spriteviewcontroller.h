#pragma once

#include <QImage>
#include <QObject>
#include <QTimer>

#include "editor/editorcontext.h"

// The sprite view and its animation: picks the sprite by number or by
// rotation and tilt, composes it in the selected palette and shows it zoomed.
class SpriteViewController : public QObject
{
    Q_OBJECT

public:
    SpriteViewController(EditorContext &context, QObject *parent);

    // The sprite as the view shows it, unzoomed.
    QImage ComposeSprite(int car, int sprite, bool mirrored, bool wheelsTurned, bool applyOffsets) const;
    QTimer &AnimationTimer() { return animationTimer; }

public slots:
    void DisplaySpriteById();
    void DisplaySpriteByParameters();
    void Animate();
    void SetAnimationInterval(int speed);

private:
    void StepTilt();

    EditorContext &context;
    QTimer animationTimer;
};
