#pragma once

#include <QObject>

#include "editor/state/selection.h"

class ActionRegistry;
class QCheckBox;
class QSpinBox;
class CarDocument;
struct TableChanges;

// Moving sprites in their frame: the move boxes (which show the selected
// sprite's pending offset), "move all sprites", the auto-centre buttons and
// the reset of a car's moves. Each is one step.
class OffsetController : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QSpinBox *up = nullptr;
        QSpinBox *right = nullptr;
        QCheckBox *wholeCar = nullptr;
    };

    // Registers Sprite > Auto-center Sprite (actionAutoCenterSprite), Auto-center
    // Car (actionAutoCenterCar) and Reset Car Offsets (actionResetCarOffsets).
    OffsetController(CarDocument &document, const Selection &selection, ActionRegistry &actions,
                     const Controls &controls, QObject *parent);

    // Centres one sprite or every sprite of a car as one step.
    void CenterSprite(int car, int sprite);
    void CenterCar(int car);

public slots:
    void MoveSprite();
    void ClearCarMoveCoords();
    void AutoCenterSprite();
    void AutoCenterCar();

private:
    // The centring offset of a sprite, measured where its pixels really are.
    QPoint CentringOffsetOf(int car, int sprite) const;
    // The move boxes show the selected sprite's offset.
    void ShowOffset();
    void TablesChanged(const TableChanges &changes);

    CarDocument &document;
    const Selection &selection;
    Controls controls;
};
