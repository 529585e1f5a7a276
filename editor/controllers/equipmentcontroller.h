#pragma once

#include <QObject>

#include "editor/state/selection.h"

class QComboBox;
class QSpinBox;
class CarDocument;
struct TableChanges;

// The selected car's characteristics and weapon fit. Every edit is a step
// (typing through one box makes one step); the controls show the tables, so
// they always show what will be saved.
class EquipmentController : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QSpinBox *topSpeed = nullptr;
        QSpinBox *acceleration = nullptr;
        QSpinBox *adhesion = nullptr;
        QSpinBox *cornering = nullptr;
        QSpinBox *jumping = nullptr;
        QComboBox *weaponA = nullptr;
        QComboBox *weaponC = nullptr;
        QComboBox *jumpTurbo = nullptr;
    };

    EquipmentController(CarDocument &document, const Selection &selection, const Controls &controls,
                        QObject *parent);

public slots:
    void ShowCarEquipment();
    void RestoreParameters();
    void RestoreWeapons();

private:
    void ShowCharacteristics();
    void ShowWeapons();
    void UpdateCharacteristic(int byteIndex, int value);
    void UpdateWeapon(int slot, int comboIndex);
    void TablesChanged(const TableChanges &changes);

    CarDocument &document;
    const Selection &selection;
    Controls controls;
};
