#include "app/skmcareditor.h"

void SKMcarEditor::DisplaySpriteById() {}
void SKMcarEditor::DisplaySpriteByParameters() {}
void SKMcarEditor::Animate() {}
void SKMcarEditor::SetAnimationInterval(int) {}
void SKMcarEditor::StepTilt() {}
QImage SKMcarEditor::ComposeSprite(int, int, bool, bool, bool) const { return QImage(); }
