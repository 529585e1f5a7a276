#include "editor/equipmentcontroller.h"

#include <QLayout>

#include "car/equipment.h"
#include "document/commandids.h"
#include "ui_skmcareditor.h"

namespace {

QString CharacteristicName(int byteIndex)
{
    switch (byteIndex) {
    case TopSpeed: return QObject::tr("Top speed");
    case Acceleration: return QObject::tr("Acceleration");
    case Adhesion: return QObject::tr("Suspension");
    case Cornering: return QObject::tr("Cornering");
    default: return QObject::tr("Jumping");
    }
}

} // namespace

EquipmentController::EquipmentController(EditorContext &context, QObject *parent) : QObject(parent), context(context)
{
    setObjectName(QStringLiteral("equipmentController"));
}

void EquipmentController::UpdateTopSpeed()
{
    UpdateCharacteristic(TopSpeed, context.ui->spinBoxTopSpeed->value());
}

void EquipmentController::UpdateAcceleration()
{
    UpdateCharacteristic(Acceleration, context.ui->spinBoxAcceleration->value());
}

void EquipmentController::UpdateAdhesion()
{
    UpdateCharacteristic(Adhesion, context.ui->spinBoxAdhesion->value());
}

void EquipmentController::UpdateCornering()
{
    UpdateCharacteristic(Cornering, context.ui->spinBoxCornering->value());
}

void EquipmentController::UpdateJumping()
{
    UpdateCharacteristic(Jumping, context.ui->spinBoxJumping->value());
}

void EquipmentController::UpdateWeaponA()
{
    UpdateWeapon(WeaponA, context.ui->comboBoxWeaponA->currentIndex());
}

void EquipmentController::UpdateWeaponJT()
{
    UpdateWeapon(WeaponJumpTurbo, context.ui->comboBoxWeaponJT->currentIndex());
}

void EquipmentController::UpdateWeaponC()
{
    UpdateWeapon(WeaponC, context.ui->comboBoxWeaponC->currentIndex());
}

void EquipmentController::ShowCarEquipment()
{
    ShowCharacteristics();
    ShowWeapons();
}

void EquipmentController::RestoreParameters()
{
    const int car = context.CurrentCar();
    const DocumentTables &original = context.document->original();
    DocumentTables after = context.document->tables();
    if (car >= 0 && car < after.characteristics.size() && car < original.characteristics.size()) {
        after.characteristics[car] = original.characteristics.at(car);
        context.document->Change(tr("Restore the characteristics of car %1").arg(car + 1), context.CarFocus(), after);
    }
    ShowCharacteristics();
}

void EquipmentController::RestoreWeapons()
{
    const int car = context.CurrentCar();
    const DocumentTables &original = context.document->original();
    DocumentTables after = context.document->tables();
    if (car >= 0 && car < after.weapons.size() && car < original.weapons.size()) {
        after.weapons[car] = original.weapons.at(car);
        context.document->Change(tr("Restore the weapons of car %1").arg(car + 1), context.CarFocus(), after);
    }
    ShowWeapons();
}

void EquipmentController::ShowHideCharacteristics()
{
    // Each box judged by itself; they start hidden together and stay a pair.
    Ui::SKMcarEditor *ui = context.ui;
    ui->groupBoxParameters->setHidden(!ui->groupBoxParameters->isHidden());
    ui->groupBoxWeapons->setHidden(!ui->groupBoxWeapons->isHidden());
    QWidget *window = context.window;
    if (window->layout())
        window->layout()->activate();
    window->resize(window->minimumSizeHint());
}

void EquipmentController::ShowCharacteristics()
{
    // Loading a spin box fires its update slot, which finds the value already
    // stored and makes no step.
    const int car = context.CurrentCar();
    const CharacteristicsTable &table = context.document->characteristics();
    const QByteArray bytes = car >= 0 && car < table.size() ? table.at(car) : QByteArray();
    Ui::SKMcarEditor *ui = context.ui;
    ui->spinBoxTopSpeed->setValue(ByteAt(bytes, TopSpeed));
    ui->spinBoxAcceleration->setValue(ByteAt(bytes, Acceleration));
    ui->spinBoxAdhesion->setValue(ByteAt(bytes, Adhesion));
    ui->spinBoxCornering->setValue(ByteAt(bytes, Cornering));
    ui->spinBoxJumping->setValue(ByteAt(bytes, Jumping));
}

void EquipmentController::ShowWeapons()
{
    // A code outside a combo's range leaves the combo without a current item;
    // the code itself stays in the table (see UpdateWeapon).
    const int car = context.CurrentCar();
    const WeaponTable &table = context.document->weapons();
    const QByteArray bytes = car >= 0 && car < table.size() ? table.at(car) : QByteArray();
    Ui::SKMcarEditor *ui = context.ui;
    ui->comboBoxWeaponA->setCurrentIndex(ByteAt(bytes, WeaponA));
    ui->comboBoxWeaponC->setCurrentIndex(ByteAt(bytes, WeaponC));
    ui->comboBoxWeaponJT->setCurrentIndex(ByteAt(bytes, WeaponJumpTurbo));
}

void EquipmentController::UpdateCharacteristic(int byteIndex, int value)
{
    const int car = context.CurrentCar();
    DocumentTables after = context.document->tables();
    if (car >= 0 && car < after.characteristics.size()) {
        SetByteAt(after.characteristics[car], byteIndex, value);
        context.document->Change(tr("%1 of car %2: %3").arg(CharacteristicName(byteIndex)).arg(car + 1).arg(value),
                                 context.CarFocus(), after, kCharacteristicCommand, {car, byteIndex});
    }
    ShowCharacteristics();
}

void EquipmentController::UpdateWeapon(int slot, int comboIndex)
{
    // No item (-1) means the stored code lies outside the combo's range:
    // keep it, so that showing a car never changes what is saved.
    const int car = context.CurrentCar();
    DocumentTables after = context.document->tables();
    if (context.reactToControls && comboIndex >= 0 && car >= 0 && car < after.weapons.size()) {
        SetByteAt(after.weapons[car], slot, comboIndex);
        const QString slotName = slot == WeaponA ? tr("Weapon A") : slot == WeaponC ? tr("Weapon C") : tr("Jump/turbo");
        const QStringList names = slot == WeaponJumpTurbo ? JumpTurboNames() : WeaponNames();
        context.document->Change(tr("%1 of car %2: %3").arg(slotName).arg(car + 1).arg(names.value(comboIndex)),
                                 context.CarFocus(), after);
    }
    ShowWeapons();
}
