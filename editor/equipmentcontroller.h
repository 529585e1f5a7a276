#pragma once

#include <QObject>

#include "editor/editorcontext.h"

// The selected car's characteristics and weapon fit. Every edit is a step
// (typing through one box makes one step); the controls are reloaded from the
// tables after it, so they always show what will be saved.
class EquipmentController : public QObject
{
    Q_OBJECT

public:
    EquipmentController(EditorContext &context, QObject *parent);

public slots:
    void UpdateTopSpeed();
    void UpdateAcceleration();
    void UpdateAdhesion();
    void UpdateCornering();
    void UpdateJumping();
    void UpdateWeaponA();
    void UpdateWeaponJT();
    void UpdateWeaponC();
    void ShowCarEquipment();
    void RestoreParameters();
    void RestoreWeapons();
    void ShowHideCharacteristics();

private:
    void ShowCharacteristics();
    void ShowWeapons();
    void UpdateCharacteristic(int byteIndex, int value);
    void UpdateWeapon(int slot, int comboIndex);

    EditorContext &context;
};
