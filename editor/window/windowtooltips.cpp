// A tooltip on every control of the form that has none of its own, saying
// what it does (and its key where it has one).
#include <QDir>
#include <QWidget>

#include "editor/window/skmcareditor.h"
#include "ui_skmcareditor.h"

void SKMcarEditor::SetToolTips()
{
    Ui::SKMcarEditor &f = *ui;
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    const QList<QPair<QWidget *, QString>> tips = {
        {f.spinBoxCarNumber, tr("The car on show (1 to 5)")},
        {f.spinBoxSpriteNumber, tr("The sprite on show; the overview shows all of the car's sprites")},
        {f.checkBoxMirrorSprite, tr("Show the sprite mirrored, as the game does for the other half of the turn")},
        {f.checkBoxRotateWheels, tr("Show the wheels turned")},
        {f.doubleSpinBoxSpriteZoom, tr("Zoom of the sprite view (Ctrl+wheel, Ctrl++, Ctrl+-, Ctrl+9 to fit)")},
        {f.spinBoxRotation, tr("Rotation step of the car (0 to 23)")},
        {f.checkBoxRotation, tr("Turn the car step by step")},
        {f.spinBoxTilt, tr("Tilt of the car (-4 to 4)")},
        {f.checkBoxTilt, tr("Tilt the car back and forth")},
        {f.checkBoxWheelAnimation, tr("Turn the wheels")},
        {f.radioButtonSaveSprite, tr("Load and Save As work on the sprite on show")},
        {f.radioButtonSaveCar, tr("Load and Save As work on all sprites of the car on show")},
        {f.radioButtonSaveAll, tr("Load and Save As work on all sprites of all cars")},
        {f.pushButtonLoad, tr("Import sprites from a picture file")},
        {f.pushButtonSave, tr("Export sprites to a picture file")},
        {f.checkBoxMultipleFiles, tr("Export one file per sprite instead of one sheet")},
        {f.checkBoxConsoleExport, tr("Write exported pictures in the colours the console shows")},
        {f.checkBoxConsoleMatch, tr("Match loaded pictures against the colours the console shows")},
        {f.pushButtonQuickIn, tr("Ctrl+Q: reads \"sprite.bmp\" from the working folder %1 into the sprite on show").arg(folder)},
        {f.pushButtonQuickOut, tr("Ctrl+W: writes the sprite on show to \"sprite.bmp\" in the working folder %1 "
                                  "(replacing it)").arg(folder)},
        {f.spinBoxMoveSpriteUp, tr("Move the sprite up or down")},
        {f.spinBoxMoveSpriteRight, tr("Move the sprite left or right")},
        {f.checkBoxMoveCar, tr("Move all sprites of the car together")},
        {f.pushButtonAutocenterSprite, tr("Centre the sprite on show")},
        {f.pushButtonAutocenterCar, tr("Centre every sprite of the car")},
        {f.pushButtonResetCarMovings, tr("Undo all moves of the car's sprites not yet saved")},
        {f.comboBoxPalette, tr("The palette the sprites are shown (and exchanged) in")},
        {f.labelColor1, tr("Colour 1: click to choose, right-click for a random colour")},
        {f.labelColor2, tr("Colour 2: click to choose, right-click for a random colour")},
        {f.labelColor3, tr("Colour 3: click to choose, right-click for a random colour")},
        {f.labelColorBg, tr("The editor's background colour behind the sprite (not stored in the ROM)")},
        {f.labelPaletteREstore, tr("Restore the palette as the ROM was opened")},
        {f.labelPaletteSwap, tr("Swap colours 1 and 2")},
        {f.labelPalettShift, tr("Rotate colours 1 to 3")},
        {f.labelSaveChanges, tr("Save the changes into the ROM file (Ctrl+S)")},
        {f.labelRestoreRom, tr("Put back every car as the ROM was opened (Ctrl+Z takes it back)")},
        {f.labelRestoreDefaults, tr("Put back the game's own cars (Ctrl+Z takes it back)")},
        {f.labelShowCharacteristics, tr("Show or hide the car's characteristics and weapons")},
        {f.label, tr("About this program")},
        {f.labelRestoreParamaters, tr("Restore the characteristics as the ROM was opened")},
        {f.labelRestoreWeapons, tr("Restore the weapons as the ROM was opened")},
        {f.spinBoxTopSpeed, tr("Top speed of the car")},
        {f.spinBoxAcceleration, tr("Acceleration of the car")},
        {f.spinBoxAdhesion, tr("Suspension of the car")},
        {f.spinBoxCornering, tr("Cornering of the car")},
        {f.spinBoxJumping, tr("Jumping of the car")},
        {f.comboBoxWeaponA, tr("The car's first weapon")},
        {f.comboBoxWeaponC, tr("The car's second weapon")},
        {f.comboBoxWeaponJT, tr("The car's jump or turbo")},
    };
    // A screen reader would name a label in a group box after the group's
    // title ("Palette"): the restore labels say what they restore.
    f.labelPaletteREstore->setAccessibleName(tr("Restore palette"));
    f.labelRestoreParamaters->setAccessibleName(tr("Restore parameters"));
    f.labelRestoreWeapons->setAccessibleName(tr("Restore weapons"));
    for (const auto &[widget, tip] : tips)
        if (widget->toolTip().isEmpty() || widget == f.pushButtonQuickIn || widget == f.pushButtonQuickOut)
            widget->setToolTip(tip);
    // The "?" label is heard as what it does, the words of its tooltip.
    f.label->setAccessibleName(f.label->toolTip());
}
