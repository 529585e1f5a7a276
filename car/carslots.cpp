#include "app/skmcareditor.h"

#include <QLayout>

#include "car/equipment.h"
#include "ui_skmcareditor.h"

// The selected car's characteristics and weapon fit. Every edit goes straight
// into the working tables; the controls are reloaded from the tables after it,
// so they always show what will be saved.

void SKMcarEditor::UpdateTopSpeed()
{
    UpdateCharacteristic(TopSpeed, ui->spinBoxTopSpeed->value());
}

void SKMcarEditor::UpdateAcceleration()
{
    UpdateCharacteristic(Acceleration, ui->spinBoxAcceleration->value());
}

void SKMcarEditor::UpdateAdhesion()
{
    UpdateCharacteristic(Adhesion, ui->spinBoxAdhesion->value());
}

void SKMcarEditor::UpdateCornering()
{
    UpdateCharacteristic(Cornering, ui->spinBoxCornering->value());
}

void SKMcarEditor::UpdateJumping()
{
    UpdateCharacteristic(Jumping, ui->spinBoxJumping->value());
}

void SKMcarEditor::UpdateWeaponA()
{
    UpdateWeapon(WeaponA, ui->comboBoxWeaponA->currentIndex());
}

void SKMcarEditor::UpdateWeaponJT()
{
    UpdateWeapon(WeaponJumpTurbo, ui->comboBoxWeaponJT->currentIndex());
}

void SKMcarEditor::UpdateWeaponC()
{
    UpdateWeapon(WeaponC, ui->comboBoxWeaponC->currentIndex());
}

void SKMcarEditor::ShowCarEquipment()
{
    ShowCharacteristics();
    ShowWeapons();
}

void SKMcarEditor::RestoreParameters()
{
    const int car = CurrentCar();
    if (car >= 0 && car < characteristics.size() && car < romCharacteristics.size())
        characteristics[car] = romCharacteristics.at(car);
    ShowCharacteristics();
}

void SKMcarEditor::RestoreWeapons()
{
    const int car = CurrentCar();
    if (car >= 0 && car < weapons.size() && car < romWeapons.size())
        weapons[car] = romWeapons.at(car);
    ShowWeapons();
}

void SKMcarEditor::ShowHideCharacteristics()
{
    // Each box judged by itself; they start hidden together and stay a pair.
    ui->groupBoxParameters->setHidden(!ui->groupBoxParameters->isHidden());
    ui->groupBoxWeapons->setHidden(!ui->groupBoxWeapons->isHidden());
    if (layout())
        layout()->activate();
    resize(minimumSizeHint());
}

void SKMcarEditor::ShowCharacteristics()
{
    // Loading a spin box fires its update slot, which stores the value just
    // loaded and reloads; the chain stops at the first unchanged value.
    const int car = CurrentCar();
    const QByteArray bytes = car >= 0 && car < characteristics.size() ? characteristics.at(car) : QByteArray();
    ui->spinBoxTopSpeed->setValue(ByteAt(bytes, TopSpeed));
    ui->spinBoxAcceleration->setValue(ByteAt(bytes, Acceleration));
    ui->spinBoxAdhesion->setValue(ByteAt(bytes, Adhesion));
    ui->spinBoxCornering->setValue(ByteAt(bytes, Cornering));
    ui->spinBoxJumping->setValue(ByteAt(bytes, Jumping));
}

void SKMcarEditor::ShowWeapons()
{
    // A code outside a combo's range leaves the combo without a current item;
    // the code itself stays in the table (see UpdateWeapon).
    const int car = CurrentCar();
    const QByteArray bytes = car >= 0 && car < weapons.size() ? weapons.at(car) : QByteArray();
    ui->comboBoxWeaponA->setCurrentIndex(ByteAt(bytes, WeaponA));
    ui->comboBoxWeaponC->setCurrentIndex(ByteAt(bytes, WeaponC));
    ui->comboBoxWeaponJT->setCurrentIndex(ByteAt(bytes, WeaponJumpTurbo));
}

void SKMcarEditor::UpdateCharacteristic(int byteIndex, int value)
{
    const int car = CurrentCar();
    if (car >= 0 && car < characteristics.size())
        SetByteAt(characteristics[car], byteIndex, value);
    ShowCharacteristics();
}

void SKMcarEditor::UpdateWeapon(int slot, int comboIndex)
{
    // No item (-1) means the stored code lies outside the combo's range:
    // keep it, so that showing a car never changes what is saved.
    const int car = CurrentCar();
    if (reactToControls && comboIndex >= 0 && car >= 0 && car < weapons.size())
        SetByteAt(weapons[car], slot, comboIndex);
    ShowWeapons();
}
