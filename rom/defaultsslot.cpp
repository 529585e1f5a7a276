#include "app/skmcareditor.h"

void SKMcarEditor::RestoreDefaults() {}
