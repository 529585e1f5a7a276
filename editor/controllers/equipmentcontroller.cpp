#include "editor/controllers/equipmentcontroller.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include "car/equipment.h"
#include "document/cardocument.h"
#include "document/commandids.h"
#include "editor/state/shownnames.h"

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

EquipmentController::EquipmentController(CarDocument &document, const Selection &selection, const Controls &controls,
                                         QObject *parent)
    : QObject(parent), document(document), selection(selection), controls(controls)
{
    setObjectName(QStringLiteral("equipmentController"));
    for (QComboBox *combo : {controls.weaponA, controls.weaponC, controls.jumpTurbo}) {
        const QSignalBlocker quiet(combo);
        combo->addItems(ShownNames(combo == controls.jumpTurbo ? JumpTurboNames() : WeaponNames()));
    }
    const std::pair<QSpinBox *, int> boxes[] = {{controls.topSpeed, TopSpeed},
                                                {controls.acceleration, Acceleration},
                                                {controls.adhesion, Adhesion},
                                                {controls.cornering, Cornering},
                                                {controls.jumping, Jumping}};
    for (const auto &[box, byteIndex] : boxes)
        connect(box, &QSpinBox::valueChanged, this, [this, byteIndex](int value) { UpdateCharacteristic(byteIndex, value); });
    const std::pair<QComboBox *, int> combos[] = {
        {controls.weaponA, WeaponA}, {controls.weaponC, WeaponC}, {controls.jumpTurbo, WeaponJumpTurbo}};
    for (const auto &[combo, slot] : combos)
        connect(combo, &QComboBox::currentIndexChanged, this, [this, slot](int index) { UpdateWeapon(slot, index); });

    connect(&selection, &Selection::changed, this, [this](Selection::Parts parts) {
        if (parts & Selection::Car)
            ShowCarEquipment();
    });
    connect(&document, &CarDocument::tablesChanged, this, &EquipmentController::TablesChanged);
    ShowCarEquipment();
}

void EquipmentController::TablesChanged(const TableChanges &changes)
{
    if (changes.touchesEquipment(selection.car()))
        ShowCarEquipment();
}

void EquipmentController::ShowCarEquipment()
{
    ShowCharacteristics();
    ShowWeapons();
}

void EquipmentController::RestoreParameters()
{
    const int car = selection.car();
    const DocumentTables &original = document.original();
    DocumentTables after = document.tables();
    if (car >= 0 && car < after.characteristics.size() && car < original.characteristics.size()) {
        after.characteristics[car] = original.characteristics.at(car);
        document.Change(tr("Restore the characteristics of car %1").arg(car + 1), {car, -1, -1}, after);
    }
    ShowCharacteristics();
}

void EquipmentController::RestoreWeapons()
{
    const int car = selection.car();
    const DocumentTables &original = document.original();
    DocumentTables after = document.tables();
    if (car >= 0 && car < after.weapons.size() && car < original.weapons.size()) {
        after.weapons[car] = original.weapons.at(car);
        document.Change(tr("Restore the weapons of car %1").arg(car + 1), {car, -1, -1}, after);
    }
    ShowWeapons();
}

void EquipmentController::ShowCharacteristics()
{
    const int car = selection.car();
    const CharacteristicsTable &table = document.characteristics();
    const QByteArray bytes = car >= 0 && car < table.size() ? table.at(car) : QByteArray();
    const std::pair<QSpinBox *, int> boxes[] = {{controls.topSpeed, TopSpeed},
                                                {controls.acceleration, Acceleration},
                                                {controls.adhesion, Adhesion},
                                                {controls.cornering, Cornering},
                                                {controls.jumping, Jumping}};
    for (const auto &[box, byteIndex] : boxes) {
        const QSignalBlocker quiet(box);
        box->setValue(ByteAt(bytes, byteIndex));
    }
}

void EquipmentController::ShowWeapons()
{
    // A code outside a combo's range leaves the combo without a current item;
    // the code itself stays in the table (see UpdateWeapon).
    const int car = selection.car();
    const WeaponTable &table = document.weapons();
    const QByteArray bytes = car >= 0 && car < table.size() ? table.at(car) : QByteArray();
    const std::pair<QComboBox *, int> combos[] = {
        {controls.weaponA, WeaponA}, {controls.weaponC, WeaponC}, {controls.jumpTurbo, WeaponJumpTurbo}};
    for (const auto &[combo, slot] : combos) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(ByteAt(bytes, slot));
    }
}

void EquipmentController::UpdateCharacteristic(int byteIndex, int value)
{
    const int car = selection.car();
    DocumentTables after = document.tables();
    if (car >= 0 && car < after.characteristics.size()) {
        SetByteAt(after.characteristics[car], byteIndex, value);
        document.Change(tr("%1 of car %2: %3").arg(CharacteristicName(byteIndex)).arg(car + 1).arg(value),
                        {car, -1, -1}, after, kCharacteristicCommand, {car, byteIndex});
    }
    ShowCharacteristics();
}

void EquipmentController::UpdateWeapon(int slot, int comboIndex)
{
    // No item (-1) means the stored code lies outside the combo's range:
    // keep it, so that showing a car never changes what is saved.
    const int car = selection.car();
    DocumentTables after = document.tables();
    if (comboIndex >= 0 && car >= 0 && car < after.weapons.size()) {
        SetByteAt(after.weapons[car], slot, comboIndex);
        const QString slotName = slot == WeaponA ? tr("Weapon A") : slot == WeaponC ? tr("Weapon C") : tr("Jump/turbo");
        const QStringList names = slot == WeaponJumpTurbo ? JumpTurboNames() : WeaponNames();
        document.Change(tr("%1 of car %2: %3").arg(slotName).arg(car + 1).arg(ShownName(names.value(comboIndex))),
                        {car, -1, -1}, after);
    }
    ShowWeapons();
}
