#include "editor/state/selection.h"

#include <cmath>

#include "rom/cardata.h"
#include "view/viewtable.h"

Selection::Selection(int paletteCount, QObject *parent) : QObject(parent), palettes(paletteCount)
{
    setObjectName(QStringLiteral("selection"));
}

void Selection::report(Parts parts)
{
    if (!parts)
        return;
    emit changed(parts);
    emit settled(parts);
}

void Selection::setCar(int car)
{
    if (car < 0 || car >= kCarCount || car == carIndex)
        return;
    carIndex = car;
    report(Car);
}

void Selection::setSprite(int sprite)
{
    if (sprite < 0 || sprite >= kSpritesPerCar || sprite == spriteIndex)
        return;
    spriteIndex = sprite;
    Parts parts = Sprite;
    // The view controls show the view this sprite is, unmirrored: in the one
    // change, so that the view draws once and nothing selects a sprite again.
    const ViewParameters view = FindParametersBySprite(sprite + 1);
    if (view.found) {
        if (view.rotation != rotationStep) {
            rotationStep = view.rotation;
            parts |= Rotation;
        }
        if (view.tilt != tiltStep) {
            tiltStep = view.tilt;
            parts |= Tilt;
        }
        if (mirror) {
            mirror = false;
            parts |= Mirrored;
        }
    }
    report(parts);
}

void Selection::setPalette(int palette)
{
    if (palette < 0 || palette >= palettes || palette == paletteIndex)
        return;
    paletteIndex = palette;
    report(Palette);
}

void Selection::applyView(int rotation, int tilt, Parts &parts)
{
    // The sprite of a view, when it has one; otherwise the last one stays.
    const auto lookUp = [this, &parts] {
        const ViewLookup view = FindSpriteByParameters(rotationStep, tiltStep);
        if (view.spriteNumber == -1)
            return;
        if (view.spriteNumber - 1 != spriteIndex) {
            spriteIndex = view.spriteNumber - 1;
            parts |= Sprite;
        }
        if (view.mirrored != mirror) {
            mirror = view.mirrored;
            parts |= Mirrored;
        }
    };
    // Rotation first, looked up at the old tilt, then the tilt: a step of both
    // passes through the view between them as the two boxes would.
    if (rotation >= 0 && rotation < kRotationSteps && rotation != rotationStep) {
        rotationStep = rotation;
        parts |= Rotation;
        lookUp();
    }
    if (tilt >= kMinTilt && tilt <= kMaxTilt && tilt != tiltStep) {
        tiltStep = tilt;
        parts |= Tilt;
        lookUp();
    }
}

void Selection::setRotation(int rotation)
{
    Parts parts;
    applyView(rotation, tiltStep, parts);
    report(parts);
}

void Selection::setTilt(int tilt)
{
    Parts parts;
    applyView(rotationStep, tilt, parts);
    report(parts);
}

void Selection::setView(int rotation, int tilt, bool wheelsTurned)
{
    Parts parts;
    applyView(rotation, tilt, parts);
    if (wheelsTurned != wheels) {
        wheels = wheelsTurned;
        parts |= WheelsTurned;
    }
    if (parts)
        report(parts | Animated);
}

void Selection::setMirrored(bool mirrored)
{
    if (mirrored == mirror)
        return;
    mirror = mirrored;
    report(Mirrored);
}

void Selection::setWheelsTurned(bool turned)
{
    if (turned == wheels)
        return;
    wheels = turned;
    report(WheelsTurned);
}

void Selection::setZoom(double zoom)
{
    if (!std::isfinite(zoom))
        return;
    // The zoom box's one decimal, so that the box and the selection agree.
    zoom = std::round(qBound(kMinimumZoom, zoom, kMaximumZoom) * 10.0) / 10.0;
    if (zoom == zoomFactor)
        return;
    zoomFactor = zoom;
    report(Zoom);
}

void Selection::setTool(Tool tool)
{
    if (tool == drawingTool)
        return;
    drawingTool = tool;
    report(DrawingTool);
}

void Selection::setDrawingIndex(int drawingIndex)
{
    if (drawingIndex < 0 || drawingIndex > 15 || drawingIndex == index)
        return;
    index = drawingIndex;
    report(DrawingIndex);
}

void Selection::setShapesFilled(bool on)
{
    if (on == filled)
        return;
    filled = on;
    report(DrawingOptions);
}

void Selection::setMirrorSymmetry(bool on)
{
    if (on == symmetry)
        return;
    symmetry = on;
    report(DrawingOptions);
}

void Selection::setColorModel(ColorModel model)
{
    if (model == colors)
        return;
    colors = model;
    report(Colors);
}

void Selection::setExchangeBox(const ExchangeBox &choices)
{
    if (choices == box)
        return;
    box = choices;
    report(Exchange);
}

ExchangeSelection Selection::exchangeScope() const
{
    return ExchangeSelection{box.scope, carIndex, spriteIndex, box.separateFiles};
}

MatchOptions Selection::matchOptions() const
{
    MatchOptions options;
    options.dither = box.dither;
    options.matching = box.classicMatching ? ColorMatching::Classic : ColorMatching::Perceptual;
    return options;
}
