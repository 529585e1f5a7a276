#pragma once

#include <QObject>

#include "editor/editorcontext.h"

class SpriteViewController;

// Moving sprites in their frame: the move boxes, "move all sprites", the
// auto-centre buttons and the reset of a car's moves. Each is one step.
class OffsetController : public QObject
{
    Q_OBJECT

public:
    OffsetController(EditorContext &context, const SpriteViewController &view, QObject *parent);

    // Centres one sprite or every sprite of a car as one step.
    void CenterSprite(int car, int sprite);
    void CenterCar(int car);

public slots:
    void MoveSprite();
    void ClearCarMoveCoords();
    void ResetSpriteMove();
    void AutoCenterSprite();
    void AutoCenterCar();

private:
    // The centring offset of a sprite, measured where its pixels really are.
    QPoint CentringOffsetOf(int car, int sprite) const;

    EditorContext &context;
    const SpriteViewController &view;
};
