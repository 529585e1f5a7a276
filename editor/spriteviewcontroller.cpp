#include "editor/spriteviewcontroller.h"

#include <algorithm>

#include <QLayout>
#include <QScopedValueRollback>

#include "ui_skmcareditor.h"
#include "view/spritecomposer.h"
#include "view/tiltstepper.h"
#include "view/viewtable.h"
#include "view/zoom.h"

namespace {

// Direction of the automatic tilt, for the whole run of the program: switching
// auto-tilt off and on again carries on the way it was going.
bool tiltRising = true;

} // namespace

SpriteViewController::SpriteViewController(EditorContext &context, QObject *parent)
    : QObject(parent), context(context)
{
    setObjectName(QStringLiteral("spriteViewController"));
    animationTimer.setInterval(60);
    connect(&animationTimer, &QTimer::timeout, this, &SpriteViewController::Animate);

    // The animation changes these on every tick. Filling their own background
    // makes them opaque, so their repaint does not repaint the group box
    // behind them (whose frame is the costly part) each time.
    Ui::SKMcarEditor *ui = context.ui;
    for (QWidget *control : std::initializer_list<QWidget *>{ui->spinBoxRotation, ui->spinBoxTilt,
                                                             ui->spinBoxSpriteNumber, ui->checkBoxRotateWheels,
                                                             ui->checkBoxMirrorSprite})
        control->setAutoFillBackground(true);
}

QImage SpriteViewController::ComposeSprite(int car, int sprite, bool mirrored, bool wheelsTurned,
                                           bool applyOffsets) const
{
    const CarDocument &document = *context.document;
    const Palette palette = context.CurrentPalette();

    const SpritePixels *pixels = nullptr;
    if (car >= 0 && car < document.sprites().size() && sprite >= 0 && sprite < document.sprites().at(car).size())
        pixels = &document.sprites().at(car).at(sprite);

    QPoint offset;
    if (applyOffsets && pixels && car < document.offsets().size() && sprite < document.offsets().at(car).size())
        offset = document.offsets().at(car).at(sprite);

    return ComposeSpriteImage(pixels, palette, document.background(), offset, mirrored, wheelsTurned);
}

void SpriteViewController::DisplaySpriteById()
{
    if (!context.reactToControls)
        return;
    Ui::SKMcarEditor *ui = context.ui;
    const bool wheelsTurned = ui->checkBoxRotateWheels->isChecked();
    const bool mirrored = ui->checkBoxMirrorSprite->isChecked();
    const int sprite = context.CurrentSprite();
    const int car = context.CurrentCar();

    // The view paints the frame itself and repaints only the pixels that
    // changed, so a tick that changes nothing costs no repaint.
    const SpriteOffsets &offsets = context.document->offsets();
    const QPoint offset = (car >= 0 && car < offsets.size() && sprite >= 0 && sprite < offsets.at(car).size())
        ? offsets.at(car).at(sprite)
        : QPoint();
    SpriteViewMapping mapping;
    mapping.zoom = ui->doubleSpinBoxSpriteZoom->value();
    mapping.mirrored = mirrored;
    mapping.offset = offset;
    ui->labelSprite->setSprite(ComposeSprite(car, sprite, mirrored, wheelsTurned, true), mapping);

    // Loading the move boxes must not write back: they clamp to -48..48, the
    // stored offset may lie beyond.
    // A box already showing the value is left alone, so that a tick does not
    // repaint it or reset what the user is typing into it.
    const auto load = [](QSpinBox *box, int value) {
        if (box->value() != std::clamp(value, box->minimum(), box->maximum()))
            box->setValue(value);
    };
    {
        QScopedValueRollback<bool> quiet(context.reactToMoveControls, false);
        load(ui->spinBoxMoveSpriteUp, offset.y());
        load(ui->spinBoxMoveSpriteRight, offset.x());
    }

    // The window grows and shrinks with the zoomed sprite (the view asks for
    // a new layout only when its size changes; activating a settled layout and
    // resizing to the same size do nothing).
    QWidget *window = context.window;
    if (window->layout())
        window->layout()->activate();
    window->resize(window->minimumSize());
}

void SpriteViewController::DisplaySpriteByParameters()
{
    Ui::SKMcarEditor *ui = context.ui;
    const ViewLookup view = FindSpriteByParameters(ui->spinBoxRotation->value(), ui->spinBoxTilt->value());
    if (view.spriteNumber == -1)
        return;   // no sprite for this view: the last one stays on screen

    {
        QScopedValueRollback<bool> quiet(context.reactToControls, false);
        if (ui->spinBoxSpriteNumber->value() != view.spriteNumber)   // spares the box a repaint
            ui->spinBoxSpriteNumber->setValue(view.spriteNumber);
        ui->checkBoxMirrorSprite->setChecked(view.mirrored);
    }
    DisplaySpriteById();
}

void SpriteViewController::Animate()
{
    Ui::SKMcarEditor *ui = context.ui;
    {
        // The steps below fire the controls' signals; they all end in the one
        // redraw after the guard is restored.
        QScopedValueRollback<bool> quiet(context.reactToControls, false);
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

void SpriteViewController::StepTilt()
{
    QSpinBox *tilt = context.ui->spinBoxTilt;
    tilt->setValue(StepTiltValue(tilt->value(), tilt->minimum(), tilt->maximum(), tiltRising));
}

void SpriteViewController::SetAnimationInterval(int speed)
{
    // A zero interval would turn the animation into a busy loop.
    animationTimer.setInterval(qMax(1, speed));
}
