#include "editor/offsetcontroller.h"

#include "document/commandids.h"
#include "editor/spriteviewcontroller.h"
#include "ui_skmcareditor.h"
#include "view/centring.h"
#include "view/offsetediting.h"

OffsetController::OffsetController(EditorContext &context, const SpriteViewController &view, QObject *parent)
    : QObject(parent), context(context), view(view)
{
    setObjectName(QStringLiteral("offsetController"));
}

void OffsetController::MoveSprite()
{
    if (!context.reactToMoveControls)
        return;
    Ui::SKMcarEditor *ui = context.ui;
    const int car = context.CurrentCar();
    const int sprite = context.CurrentSprite();
    const bool wholeCar = ui->checkBoxMoveCar->isChecked();
    const QPoint target(ui->spinBoxMoveSpriteRight->value(), ui->spinBoxMoveSpriteUp->value());

    DocumentTables after = context.document->tables();
    // The box that changed: the one whose value differs from the sprite's offset.
    const SpriteOffsets &offsets = after.offsets;
    const bool inRange = car >= 0 && car < offsets.size() && sprite >= 0 && sprite < offsets.at(car).size();
    const int box = inRange && offsets.at(car).at(sprite).x() != target.x() ? 1 : 0;
    MoveSpriteOffsets(after.offsets, car, sprite, target, wholeCar);
    const QString text = wholeCar ? tr("Move all sprites of car %1").arg(car + 1)
                                  : tr("Move sprite %1 of car %2").arg(sprite + 1).arg(car + 1);
    // Clicking or typing through a box makes one step per sprite, box and kind
    // of move: up then right is two steps.
    context.document->Change(text, context.SpriteFocus(), after, kMoveSpriteCommand, {car, sprite, wholeCar, box});
}

void OffsetController::ClearCarMoveCoords()
{
    const int car = context.CurrentCar();
    DocumentTables after = context.document->tables();
    ResetCarOffsets(after.offsets, car);
    context.document->Change(tr("Reset the moves of car %1").arg(car + 1), context.CarFocus(), after);
}

void OffsetController::ResetSpriteMove()
{
    ClearCarMoveCoords();
}

QPoint OffsetController::CentringOffsetOf(int car, int sprite) const
{
    const QImage image = view.ComposeSprite(car, sprite, false, false, false);
    return CentringOffset(image, context.document->background());
}

void OffsetController::CenterSprite(int car, int sprite)
{
    const SpriteOffsets &offsets = context.document->offsets();
    if (car < 0 || car >= offsets.size() || sprite < 0 || sprite >= offsets.at(car).size())
        return;
    DocumentTables after = context.document->tables();
    after.offsets[car][sprite] = CentringOffsetOf(car, sprite);
    context.document->Change(tr("Auto-centre sprite %1 of car %2").arg(sprite + 1).arg(car + 1),
                             {car, sprite, -1}, after);
}

void OffsetController::CenterCar(int car)
{
    const SpriteOffsets &offsets = context.document->offsets();
    if (car < 0 || car >= offsets.size())
        return;
    DocumentTables after = context.document->tables();
    for (int sprite = 0; sprite < offsets.at(car).size(); ++sprite)
        after.offsets[car][sprite] = CentringOffsetOf(car, sprite);
    context.document->Change(tr("Auto-centre car %1").arg(car + 1), {car, -1, -1}, after);
}

void OffsetController::AutoCenterSprite()
{
    CenterSprite(context.CurrentCar(), context.CurrentSprite());
}

void OffsetController::AutoCenterCar()
{
    CenterCar(context.CurrentCar());
}
