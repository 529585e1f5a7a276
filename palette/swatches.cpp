#include "app/skmcareditor.h"

void SKMcarEditor::ShowColors() {}
