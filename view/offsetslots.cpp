#include "app/skmcareditor.h"

#include "ui_skmcareditor.h"
#include "view/centring.h"
#include "view/offsetediting.h"

void SKMcarEditor::InitSpriteOffsets()
{
    spriteOffsets = ZeroOffsetsFor(sprites);
    DisplaySpriteById();
}

void SKMcarEditor::MoveSprite()
{
    if (!reactToMoveControls)
        return;
    const QPoint target(ui->spinBoxMoveSpriteRight->value(), ui->spinBoxMoveSpriteUp->value());
    MoveSpriteOffsets(spriteOffsets, CurrentCar(), CurrentSprite(), target, ui->checkBoxMoveCar->isChecked());
    DisplaySpriteById();
}

void SKMcarEditor::ClearCarMoveCoords()
{
    ResetCarOffsets(spriteOffsets, CurrentCar());
    DisplaySpriteById();
}

void SKMcarEditor::ResetSpriteMove()
{
    ResetCarOffsets(spriteOffsets, CurrentCar());
    DisplaySpriteById();
}

void SKMcarEditor::CenterSprite(int car, int sprite)
{
    if (car < 0 || car >= spriteOffsets.size() || sprite < 0 || sprite >= spriteOffsets.at(car).size())
        return;
    // Measured where the pixels really are, in the palette on screen.
    const QImage image = ComposeSprite(car, sprite, false, false, false);
    spriteOffsets[car][sprite] = CentringOffset(image, backgroundColor);
}

void SKMcarEditor::CenterCar(int car)
{
    if (car < 0 || car >= spriteOffsets.size())
        return;
    for (int sprite = 0; sprite < spriteOffsets.at(car).size(); ++sprite)
        CenterSprite(car, sprite);
}

void SKMcarEditor::AutoCenterSprite()
{
    CenterSprite(CurrentCar(), CurrentSprite());
    DisplaySpriteById();
}

void SKMcarEditor::AutoCenterCar()
{
    CenterCar(CurrentCar());
    DisplaySpriteById();
}

void SKMcarEditor::ApplySpriteOffsets()
{
    ::ApplySpriteOffsets(sprites, spriteOffsets);
}
