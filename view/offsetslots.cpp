#include "app/skmcareditor.h"

void SKMcarEditor::MoveSprite() {}
void SKMcarEditor::ClearCarMoveCoords() {}
void SKMcarEditor::ResetSpriteMove() {}
void SKMcarEditor::AutoCenterSprite() {}
void SKMcarEditor::AutoCenterCar() {}
void SKMcarEditor::InitSpriteOffsets() {}
void SKMcarEditor::CenterSprite(int, int) {}
void SKMcarEditor::CenterCar(int) {}
void SKMcarEditor::ApplySpriteOffsets() {}
