#include "app/skmcareditor.h"

void SKMcarEditor::ShowInfo() {}
