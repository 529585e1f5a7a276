#pragma once

// The window's form controls as a user or a screen reader finds them: by
// object name, with their public types.

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include "editor/widgets/qclicklabel.h"
#include "editor/displays/spriteview.h"
#include "windowcontrols.h"

struct FormControls
{
    explicit FormControls(QWidget &w)
#define SKM_CONTROL(type, name) , name(Control<type>(w, #name))
        : window(&w)
        SKM_CONTROL(QSpinBox, spinBoxCarNumber)
        SKM_CONTROL(QSpinBox, spinBoxSpriteNumber)
        SKM_CONTROL(QCheckBox, checkBoxMirrorSprite)
        SKM_CONTROL(QCheckBox, checkBoxRotateWheels)
        SKM_CONTROL(QDoubleSpinBox, doubleSpinBoxSpriteZoom)
        SKM_CONTROL(QSpinBox, spinBoxRotation)
        SKM_CONTROL(QCheckBox, checkBoxRotation)
        SKM_CONTROL(QSpinBox, spinBoxTilt)
        SKM_CONTROL(QCheckBox, checkBoxTilt)
        SKM_CONTROL(QCheckBox, checkBoxWheelAnimation)
        SKM_CONTROL(QSlider, horizontalSlider)
        SKM_CONTROL(QRadioButton, radioButtonSaveSprite)
        SKM_CONTROL(QRadioButton, radioButtonSaveCar)
        SKM_CONTROL(QRadioButton, radioButtonSaveAll)
        SKM_CONTROL(QPushButton, pushButtonLoad)
        SKM_CONTROL(QPushButton, pushButtonSave)
        SKM_CONTROL(QCheckBox, checkBoxMultipleFiles)
        SKM_CONTROL(QCheckBox, checkBoxDither)
        SKM_CONTROL(QCheckBox, classicMatching)
        SKM_CONTROL(QPushButton, pushButtonQuickIn)
        SKM_CONTROL(QPushButton, pushButtonQuickOut)
        SKM_CONTROL(SpriteView, labelSprite)
        SKM_CONTROL(QSpinBox, spinBoxMoveSpriteUp)
        SKM_CONTROL(QPushButton, pushButtonAutocenterSprite)
        SKM_CONTROL(QSpinBox, spinBoxMoveSpriteRight)
        SKM_CONTROL(QPushButton, pushButtonAutocenterCar)
        SKM_CONTROL(QCheckBox, checkBoxMoveCar)
        SKM_CONTROL(QPushButton, pushButtonResetCarMovings)
        SKM_CONTROL(QComboBox, comboBoxPalette)
        SKM_CONTROL(QClickLabel, labelColor1)
        SKM_CONTROL(QClickLabel, labelColor2)
        SKM_CONTROL(QClickLabel, labelColor3)
        SKM_CONTROL(QClickLabel, labelColorBg)
        SKM_CONTROL(QClickLabel, labelPaletteREstore)
        SKM_CONTROL(QClickLabel, labelPaletteSwap)
        SKM_CONTROL(QClickLabel, labelPalettShift)
        SKM_CONTROL(QGroupBox, groupBoxParameters)
        SKM_CONTROL(QSpinBox, spinBoxTopSpeed)
        SKM_CONTROL(QSpinBox, spinBoxAdhesion)
        SKM_CONTROL(QSpinBox, spinBoxJumping)
        SKM_CONTROL(QSpinBox, spinBoxAcceleration)
        SKM_CONTROL(QSpinBox, spinBoxCornering)
        SKM_CONTROL(QClickLabel, labelRestoreParamaters)
        SKM_CONTROL(QGroupBox, groupBoxWeapons)
        SKM_CONTROL(QComboBox, comboBoxWeaponA)
        SKM_CONTROL(QComboBox, comboBoxWeaponC)
        SKM_CONTROL(QComboBox, comboBoxWeaponJT)
        SKM_CONTROL(QClickLabel, labelRestoreWeapons)
        SKM_CONTROL(QClickLabel, labelSaveChanges)
        SKM_CONTROL(QClickLabel, labelRestoreRom)
        SKM_CONTROL(QClickLabel, labelRestoreDefaults)
        SKM_CONTROL(QClickLabel, labelShowCharacteristics)
        SKM_CONTROL(QClickLabel, label)
#undef SKM_CONTROL
    {
    }

    QWidget *window;
    QSpinBox *spinBoxCarNumber, *spinBoxSpriteNumber;
    QCheckBox *checkBoxMirrorSprite, *checkBoxRotateWheels;
    QDoubleSpinBox *doubleSpinBoxSpriteZoom;
    QSpinBox *spinBoxRotation;
    QCheckBox *checkBoxRotation;
    QSpinBox *spinBoxTilt;
    QCheckBox *checkBoxTilt, *checkBoxWheelAnimation;
    QSlider *horizontalSlider;
    QRadioButton *radioButtonSaveSprite, *radioButtonSaveCar, *radioButtonSaveAll;
    QPushButton *pushButtonLoad, *pushButtonSave;
    QCheckBox *checkBoxMultipleFiles, *checkBoxDither, *classicMatching;
    QPushButton *pushButtonQuickIn, *pushButtonQuickOut;
    SpriteView *labelSprite;
    QSpinBox *spinBoxMoveSpriteUp;
    QPushButton *pushButtonAutocenterSprite;
    QSpinBox *spinBoxMoveSpriteRight;
    QPushButton *pushButtonAutocenterCar;
    QCheckBox *checkBoxMoveCar;
    QPushButton *pushButtonResetCarMovings;
    QComboBox *comboBoxPalette;
    QClickLabel *labelColor1, *labelColor2, *labelColor3, *labelColorBg;
    QClickLabel *labelPaletteREstore, *labelPaletteSwap, *labelPalettShift;
    QGroupBox *groupBoxParameters;
    QSpinBox *spinBoxTopSpeed, *spinBoxAdhesion, *spinBoxJumping, *spinBoxAcceleration, *spinBoxCornering;
    QClickLabel *labelRestoreParamaters;
    QGroupBox *groupBoxWeapons;
    QComboBox *comboBoxWeaponA, *comboBoxWeaponC, *comboBoxWeaponJT;
    QClickLabel *labelRestoreWeapons, *labelSaveChanges, *labelRestoreRom, *labelRestoreDefaults;
    QClickLabel *labelShowCharacteristics, *label;
};
