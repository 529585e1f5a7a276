#include "editor/controllers/offsetcontroller.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include "document/cardocument.h"
#include "document/commandids.h"
#include "editor/window/actionregistry.h"
#include "document/shownsprite.h"
#include "view/centring.h"
#include "view/offsetediting.h"

OffsetController::OffsetController(CarDocument &document, const Selection &selection, ActionRegistry &actions,
                                   const Controls &controls, QObject *parent)
    : QObject(parent), document(document), selection(selection), controls(controls)
{
    setObjectName(QStringLiteral("offsetController"));
    connect(actions.add({QStringLiteral("actionAutoCenterSprite"), tr("Auto-center &Sprite")}), &QAction::triggered,
            this, &OffsetController::AutoCenterSprite);
    connect(actions.add({QStringLiteral("actionAutoCenterCar"), tr("Auto-center &Car")}), &QAction::triggered, this,
            &OffsetController::AutoCenterCar);
    connect(actions.add({QStringLiteral("actionResetCarOffsets"), tr("&Reset Car Offsets")}), &QAction::triggered,
            this, &OffsetController::ClearCarMoveCoords);
    connect(controls.up, &QSpinBox::valueChanged, this, &OffsetController::MoveSprite);
    connect(controls.right, &QSpinBox::valueChanged, this, &OffsetController::MoveSprite);
    connect(&selection, &Selection::changed, this, [this](Selection::Parts parts) {
        if (parts & (Selection::Car | Selection::Sprite))
            ShowOffset();
    });
    connect(&document, &CarDocument::tablesChanged, this, &OffsetController::TablesChanged);
    ShowOffset();
}

void OffsetController::TablesChanged(const TableChanges &changes)
{
    if (changes.touchesSprite(selection.car(), selection.sprite()))
        ShowOffset();
}

void OffsetController::ShowOffset()
{
    // Loading the boxes must not write back: they clamp to -48..48, the
    // stored offset may lie beyond. A box already showing the value is left
    // alone, so that it is not repainted and what the user types stays.
    const QPoint offset = PendingOffset(document, selection.car(), selection.sprite());
    const auto load = [](QSpinBox *box, int value) {
        if (box->value() == std::clamp(value, box->minimum(), box->maximum()))
            return;
        const QSignalBlocker quiet(box);
        box->setValue(value);
    };
    load(controls.up, offset.y());
    load(controls.right, offset.x());
}

void OffsetController::MoveSprite()
{
    const int car = selection.car();
    const int sprite = selection.sprite();
    const bool wholeCar = controls.wholeCar->isChecked();
    const QPoint target(controls.right->value(), controls.up->value());

    DocumentTables after = document.tables();
    // The box that changed: the one whose value differs from the sprite's offset.
    const SpriteOffsets &offsets = after.offsets;
    const bool inRange = car >= 0 && car < offsets.size() && sprite >= 0 && sprite < offsets.at(car).size();
    const int box = inRange && offsets.at(car).at(sprite).x() != target.x() ? 1 : 0;
    MoveSpriteOffsets(after.offsets, car, sprite, target, wholeCar);
    const QString text = wholeCar ? tr("Move all sprites of car %1").arg(car + 1)
                                  : tr("Move sprite %1 of car %2").arg(sprite + 1).arg(car + 1);
    // Clicking or typing through a box makes one step per sprite, box and kind
    // of move: up then right is two steps.
    document.Change(text, {car, sprite, -1}, after, kMoveSpriteCommand, {car, sprite, wholeCar, box});
}

void OffsetController::ClearCarMoveCoords()
{
    const int car = selection.car();
    DocumentTables after = document.tables();
    ResetCarOffsets(after.offsets, car);
    document.Change(tr("Reset the moves of car %1").arg(car + 1), {car, -1, -1}, after);
}

QPoint OffsetController::CentringOffsetOf(int car, int sprite) const
{
    const QImage image = ComposeDocumentSprite(document, {car, sprite, selection.palette(), false, false, false});
    return CentringOffset(image, document.background());
}

void OffsetController::CenterSprite(int car, int sprite)
{
    const SpriteOffsets &offsets = document.offsets();
    if (car < 0 || car >= offsets.size() || sprite < 0 || sprite >= offsets.at(car).size())
        return;
    DocumentTables after = document.tables();
    after.offsets[car][sprite] = CentringOffsetOf(car, sprite);
    document.Change(tr("Auto-center sprite %1 of car %2").arg(sprite + 1).arg(car + 1), {car, sprite, -1}, after);
}

void OffsetController::CenterCar(int car)
{
    const SpriteOffsets &offsets = document.offsets();
    if (car < 0 || car >= offsets.size())
        return;
    DocumentTables after = document.tables();
    for (int sprite = 0; sprite < offsets.at(car).size(); ++sprite)
        after.offsets[car][sprite] = CentringOffsetOf(car, sprite);
    document.Change(tr("Auto-center car %1").arg(car + 1), {car, -1, -1}, after);
}

void OffsetController::AutoCenterSprite()
{
    CenterSprite(selection.car(), selection.sprite());
}

void OffsetController::AutoCenterCar()
{
    CenterCar(selection.car());
}
