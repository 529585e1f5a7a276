#include "app/skmcareditor.h"

void SKMcarEditor::Save() {}
void SKMcarEditor::RestoreRom() {}
bool SKMcarEditor::SaveToRom() { return false; }
