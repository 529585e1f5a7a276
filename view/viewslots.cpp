#include "app/skmcareditor.h"

#include <algorithm>

#include <QLayout>
#include <QPixmap>
#include <QScopedValueRollback>

#include "ui_skmcareditor.h"
#include "view/samepicture.h"
#include "view/spritecomposer.h"
#include "view/tiltstepper.h"
#include "view/viewtable.h"
#include "view/zoom.h"

namespace {

// Direction of the automatic tilt, for the whole run of the program: switching
// auto-tilt off and on again carries on the way it was going.
bool tiltRising = true;

} // namespace

QImage SKMcarEditor::ComposeSprite(int car, int sprite, bool mirrored, bool wheelsTurned, bool applyOffsets) const
{
    const int paletteIndex = CurrentPaletteIndex();
    const Palette palette = (paletteIndex >= 0 && paletteIndex < palettes.size()) ? palettes.at(paletteIndex)
                                                                                 : Palette();

    const SpritePixels *pixels = nullptr;
    if (car >= 0 && car < sprites.size() && sprite >= 0 && sprite < sprites.at(car).size())
        pixels = &sprites.at(car).at(sprite);

    QPoint offset;
    if (applyOffsets && pixels && car < spriteOffsets.size() && sprite < spriteOffsets.at(car).size())
        offset = spriteOffsets.at(car).at(sprite);

    return ComposeSpriteImage(pixels, palette, backgroundColor, offset, mirrored, wheelsTurned);
}

void SKMcarEditor::DisplaySpriteById()
{
    if (!reactToControls)
        return;
    const bool wheelsTurned = ui->checkBoxRotateWheels->isChecked();
    const bool mirrored = ui->checkBoxMirrorSprite->isChecked();
    const int sprite = CurrentSprite();
    const int car = CurrentCar();

    // Scaled in the screen's pixel format, so that the pixmap needs no
    // conversion; nearest neighbour keeps the pixels sharp blocks. The timer
    // redraws on every tick: an unchanged picture is not handed over again, so
    // the window is neither repainted nor laid out for nothing.
    const QImage image = ComposeSprite(car, sprite, mirrored, wheelsTurned, true).convertToFormat(QImage::Format_RGB32);
    const QSize size = ZoomedSize(image.size(), ui->doubleSpinBoxSpriteZoom->value());
    const QImage zoomed = size.isEmpty() ? QImage() : ScaleNearest(image, size);
    if (!SamePicture(zoomed, ui->labelSprite->pixmap().toImage()))
        ui->labelSprite->setPixmap(QPixmap::fromImage(zoomed));

    // Loading the move boxes must not write back: they clamp to -48..48, the
    // stored offset may lie beyond.
    const QPoint offset = (car >= 0 && car < spriteOffsets.size() && sprite >= 0
                           && sprite < spriteOffsets.at(car).size())
        ? spriteOffsets.at(car).at(sprite)
        : QPoint();
    // A box already showing the value is left alone, so that a tick does not
    // repaint it or reset what the user is typing into it.
    const auto load = [](QSpinBox *box, int value) {
        if (box->value() != std::clamp(value, box->minimum(), box->maximum()))
            box->setValue(value);
    };
    reactToMoveControls = false;
    load(ui->spinBoxMoveSpriteUp, offset.y());
    load(ui->spinBoxMoveSpriteRight, offset.x());
    reactToMoveControls = true;

    // The window grows and shrinks with the zoomed sprite.
    if (layout())
        layout()->activate();
    resize(minimumSize());
}

void SKMcarEditor::DisplaySpriteByParameters()
{
    const ViewLookup view = FindSpriteByParameters(ui->spinBoxRotation->value(), ui->spinBoxTilt->value());
    if (view.spriteNumber == -1)
        return;   // no sprite for this view: the last one stays on screen

    {
        QScopedValueRollback<bool> quiet(reactToControls, false);
        if (ui->spinBoxSpriteNumber->value() != view.spriteNumber)   // spares the box a repaint
            ui->spinBoxSpriteNumber->setValue(view.spriteNumber);
        ui->checkBoxMirrorSprite->setChecked(view.mirrored);
    }
    DisplaySpriteById();
}

void SKMcarEditor::Animate()
{
    {
        // The steps below fire the controls' signals; they all end in the one
        // redraw after the guard is restored.
        QScopedValueRollback<bool> quiet(reactToControls, false);
        if (ui->checkBoxWheelAnimation->isChecked())
            ui->checkBoxRotateWheels->click();
        if (ui->checkBoxRotation->isChecked()) {
            QSpinBox *rotation = ui->spinBoxRotation;
            rotation->setValue(rotation->value() >= rotation->maximum() ? rotation->minimum() : rotation->value() + 1);
        }
        if (ui->checkBoxTilt->isChecked())
            StepTilt();
    }
    DisplaySpriteById();
}

void SKMcarEditor::StepTilt()
{
    QSpinBox *tilt = ui->spinBoxTilt;
    tilt->setValue(StepTiltValue(tilt->value(), tilt->minimum(), tilt->maximum(), tiltRising));
}

void SKMcarEditor::SetAnimationInterval(int speed)
{
    // A zero interval would turn the animation into a busy loop.
    animationTimer.setInterval(qMax(1, speed));
}
