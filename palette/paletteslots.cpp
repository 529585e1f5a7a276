#include "app/skmcareditor.h"

void SKMcarEditor::ChangeColor1() {}
void SKMcarEditor::ChangeColor2() {}
void SKMcarEditor::ChangeColor3() {}
void SKMcarEditor::RandomColor1() {}
void SKMcarEditor::RandomColor2() {}
void SKMcarEditor::RandomColor3() {}
void SKMcarEditor::ChangeColorBg() {}
void SKMcarEditor::RestorePalette() {}
void SKMcarEditor::ShiftPalette() {}
void SKMcarEditor::SwapPalette() {}
void SKMcarEditor::ChangeColor(int) {}
void SKMcarEditor::RandomColor(int) {}
