#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "rom/cardata.h"
#include "rom/romimage.h"
#include "view/spriteoffsets.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class SKMcarEditor;
}
class QCloseEvent;
QT_END_NAMESPACE

// The editor's one window. Its slots read the controls, call the core
// libraries, change the working tables or the view state and redraw.
// Slot bodies live with their subsystem: app/ (lifecycle, info box),
// rom/romslots.cpp (save, restore), view/, palette/, car/, exchange/.
class SKMcarEditor : public QWidget
{
    Q_OBJECT

public:
    // Asks for a ROM file until one is chosen, reads it and builds the window.
    explicit SKMcarEditor(QWidget *parent = nullptr);
    // Reads the given ROM file and builds the window; no dialog.
    explicit SKMcarEditor(const QString &romPath, QWidget *parent = nullptr);
    ~SKMcarEditor() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void DisplaySpriteById();
    void DisplaySpriteByParameters();
    void Animate();
    void SaveSprite();
    void LoadSprite();
    void SetAnimationInterval(int speed);
    void MoveSprite();
    void ClearCarMoveCoords();
    void ResetSpriteMove();
    void QuickSpriteOut();
    void QuickSpriteIn();
    void ShowColors();
    void ChangeColor1();
    void ChangeColor2();
    void ChangeColor3();
    void RandomColor1();
    void RandomColor2();
    void RandomColor3();
    void ChangeColorBg();
    void RestorePalette();
    void ShiftPalette();
    void SwapPalette();
    void UpdateTopSpeed();
    void UpdateAcceleration();
    void UpdateAdhesion();
    void UpdateCornering();
    void UpdateJumping();
    void UpdateWeaponA();
    void UpdateWeaponJT();
    void UpdateWeaponC();
    void ShowCarEquipment();
    void ShowInfo();
    void AutoCenterSprite();
    void AutoCenterCar();
    void Save();
    void RestoreRom();
    void RestoreDefaults();
    void RestoreParameters();
    void RestoreWeapons();
    void ShowHideCharacteristics();

private:
    // --- lifecycle (app/skmcareditor.cpp)
    void Initialise(const CarData &data, const QString &romPath);
    void ConnectControls();   // the 45 form connections, in order
    int CurrentCar() const;     // spinBoxCarNumber - 1
    int CurrentSprite() const;  // spinBoxSpriteNumber - 1
    int CurrentPaletteIndex() const;

    // --- saving (rom/romslots.cpp)
    // Bakes the offsets in and writes the working tables to romFileName,
    // starting from romImage. Asks first when the file is gone or was changed
    // by another program. Shows a warning naming the file and the reason on
    // failure; false when nothing was saved.
    bool SaveToRom();

    // --- view (view/viewslots.cpp)
    QImage ComposeSprite(int car, int sprite, bool mirrored, bool wheelsTurned, bool applyOffsets) const;
    void StepTilt();
    void InitSpriteOffsets();
    void CenterSprite(int car, int sprite);
    void CenterCar(int car);
    void ApplySpriteOffsets();

    // --- characteristics and weapons (car/carslots.cpp)
    void ShowCharacteristics();
    void ShowWeapons();
    void UpdateCharacteristic(int byteIndex, int value);
    void UpdateWeapon(int slot, int comboIndex);

    // --- palette commands (palette/paletteslots.cpp)
    void ChangeColor(int entry);
    void RandomColor(int entry);

    // --- sprite exchange (exchange/exchangeslots.cpp)
    bool ImageToSprite(const QImage &image, int car, int sprite);
    bool ImageToCar(const QImage &image, int car);
    QImage RenderCarSheet(int car) const;
    // Writes the current scope to fileName; false if any file failed.
    bool ExportSprites(const QString &fileName);
    // Reads the current scope from fileName; returns the accumulated error text.
    QString ImportSprites(const QString &fileName);

    Ui::SKMcarEditor *ui;
    QString romFileName;
    RomImage romImage;       // the ROM file as opened or last saved; saves start from it
    QString romImageError;   // why the file could not be read whole (then it is never saved)
    SpriteTable sprites;
    PaletteTable palettes;
    CharacteristicsTable characteristics;
    WeaponTable weapons;
    SpriteTable romSprites;
    PaletteTable romPalettes;
    CharacteristicsTable romCharacteristics;
    WeaponTable romWeapons;
    bool reactToControls = false;
    bool reactToMoveControls = false;
    QTimer animationTimer;
    SpriteOffsets spriteOffsets;
    QColor backgroundColor;

    friend class EditorProbe;   // white-box access for the window tests
};
