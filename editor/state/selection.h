#pragma once

#include <QObject>

#include "exchange/exchangescope.h"
#include "exchange/matchoptions.h"
#include "rom/colorword.h"

// What the window has on show and how it is drawn on: the car, sprite and
// palette, the view (rotation, tilt, mirrored, wheels turned), the zoom, the
// drawing tool, the drawing index and the choices of the Save/Load box. The one place these live: controllers
// read and change it, the form binder keeps the controls in step with it, the
// sprite view composes itself from it and the document.
//
// Setters ignore values out of range and values already held; every change
// (one setter, or several at once with setView) is reported by one changed()
// naming what changed.
class Selection : public QObject
{
    Q_OBJECT

public:
    enum class Tool { None, Pencil, Fill, Picker, Line, Rectangle, Ellipse, Select };
    enum Part {
        Car = 0x1,
        Sprite = 0x2,
        Palette = 0x4,
        Rotation = 0x8,
        Tilt = 0x10,
        Mirrored = 0x20,
        WheelsTurned = 0x40,
        Zoom = 0x80,
        DrawingTool = 0x100,
        DrawingIndex = 0x200,
        Colors = 0x400,
        // Not a part: the change is a step of the animation (with the parts it
        // changed). Displays of secondary information may follow such steps
        // less often than the sprite view does.
        Animated = 0x800,
        Exchange = 0x1000,
        DrawingOptions = 0x4000,   // shapes filled, mirror symmetry
    };
    Q_DECLARE_FLAGS(Parts, Part)
    // What the sprite view shows: a change of these needs a new frame.
    static constexpr int kFrameParts = Car | Sprite | Palette | Mirrored | WheelsTurned | Zoom | Colors;

    // The Save/Load box: what Load, Save As and the edit link work on, and
    // how pictures are written and matched.
    struct ExchangeBox
    {
        ExchangeScope scope = ExchangeScope::Sprite;
        bool separateFiles = false;     // "separate sprites"
        bool dither = false;            // "dithering"
        bool classicMatching = false;   // "classic matching" (else perceptual)
        bool consoleExport = false;     // "console colours": Save As writes the console's colours
        bool consoleMatch = false;      // "match as the console shows": Load matches against them
        friend bool operator==(const ExchangeBox &, const ExchangeBox &) = default;
    };

    explicit Selection(int paletteCount, QObject *parent = nullptr);

    int car() const { return carIndex; }           // 0..4
    int sprite() const { return spriteIndex; }     // 0..44
    int palette() const { return paletteIndex; }   // 0..paletteCount-1
    int rotation() const { return rotationStep; }  // 0..23
    int tilt() const { return tiltStep; }          // -4..4
    bool mirrored() const { return mirror; }
    bool wheelsTurned() const { return wheels; }
    double zoom() const { return zoomFactor; }     // 0.1..10.0
    Tool tool() const { return drawingTool; }
    int drawingIndex() const { return index; }     // 0..15
    // Rectangles and ellipses are drawn filled ("Filled").
    bool shapesFilled() const { return filled; }
    // Every drawing tool also draws the mirror image about the sprite's
    // middle column ("Mirror Symmetry").
    bool mirrorSymmetry() const { return symmetry; }
    int paletteCount() const { return palettes; }
    // How colour words become screen colours: the editor's linear ramp or the
    // console's levels (View > Console Colours). Everything that shows a
    // colour of the ROM (the view, the swatches, the strip, the overview)
    // reads it here and redraws on Colors.
    ColorModel colorModel() const { return colors; }
    const ExchangeBox &exchangeBox() const { return box; }
    // The box's scope around the car and sprite on show, with "separate sprites".
    ExchangeSelection exchangeScope() const;
    // How the box has pictures matched: "dithering", "classic matching".
    MatchOptions matchOptions() const;
    // The colours exported pictures are written in, and the colours loaded
    // ones are matched against.
    ColorModel exportColors() const { return box.consoleExport ? ColorModel::Console : ColorModel::Linear; }
    ColorModel importColors() const { return box.consoleMatch ? ColorModel::Console : ColorModel::Linear; }

    void setCar(int car);
    // A sprite chosen by number also sets the view it is (its rotation and
    // tilt, unmirrored).
    void setSprite(int sprite);
    void setPalette(int palette);
    // A rotation or tilt that has a sprite also selects it (and its mirroring);
    // one without keeps the sprite on show.
    void setRotation(int rotation);
    void setTilt(int tilt);
    void setMirrored(bool mirrored);
    void setWheelsTurned(bool turned);
    void setZoom(double zoom);
    void setTool(Tool tool);
    void setDrawingIndex(int index);
    void setShapesFilled(bool filled);
    void setMirrorSymmetry(bool on);
    void setColorModel(ColorModel model);
    void setExchangeBox(const ExchangeBox &choices);
    // Rotation, tilt and wheels in one change, as an animation tick makes it
    // (reported with Animated).
    void setView(int rotation, int tilt, bool wheelsTurned);

    static constexpr double kMinimumZoom = 0.1;
    static constexpr double kMaximumZoom = 10.0;

signals:
    void changed(Selection::Parts parts);
    // After changed, once everything connected to it has heard of the change.
    void settled(Selection::Parts parts);

private:
    // Sets the rotation and tilt and the sprite they show, adding what changed to parts.
    void applyView(int rotation, int tilt, Parts &parts);
    void report(Parts parts);

    int palettes;
    int carIndex = 0;
    int spriteIndex = 0;
    int paletteIndex = 0;
    int rotationStep = 0;
    int tiltStep = 0;
    bool mirror = false;
    bool wheels = false;
    double zoomFactor = 3.0;
    Tool drawingTool = Tool::None;
    int index = 1;
    bool filled = false;
    bool symmetry = false;
    ColorModel colors = ColorModel::Linear;
    ExchangeBox box;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Selection::Parts)
