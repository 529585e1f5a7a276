#include "app/skmcareditor.h"

void SKMcarEditor::UpdateTopSpeed() {}
void SKMcarEditor::UpdateAcceleration() {}
void SKMcarEditor::UpdateAdhesion() {}
void SKMcarEditor::UpdateCornering() {}
void SKMcarEditor::UpdateJumping() {}
void SKMcarEditor::UpdateWeaponA() {}
void SKMcarEditor::UpdateWeaponJT() {}
void SKMcarEditor::UpdateWeaponC() {}
void SKMcarEditor::ShowCarEquipment() {}
void SKMcarEditor::RestoreParameters() {}
void SKMcarEditor::RestoreWeapons() {}
void SKMcarEditor::ShowHideCharacteristics() {}
void SKMcarEditor::ShowCharacteristics() {}
void SKMcarEditor::ShowWeapons() {}
void SKMcarEditor::UpdateCharacteristic(int, int) {}
void SKMcarEditor::UpdateWeapon(int, int) {}
