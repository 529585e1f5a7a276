#pragma once

#include <optional>

#include <QImage>
#include <QJsonObject>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

// A picture shown with the sprite in the view as a guide to draw by (a photo,
// a sketch, a render): where it lies on the 48 x 48 frame, how large, how
// opaque, and whether it is over the sprite or behind it (showing only where
// the sprite shows its background). It is never part of the sprite.
struct ReferencePlacement
{
    QString file;           // the picture's path
    QPointF position;       // its top left corner, in frame pixels
    double scale = 1.0;     // frame pixels per picture pixel
    int opacity = 50;       // percent, 5..100
    bool over = false;      // over the sprite; else behind it

    friend bool operator==(const ReferencePlacement &, const ReferencePlacement &) = default;
};

inline constexpr int kMinReferenceOpacity = 5;
inline constexpr double kMinReferenceScale = 1.0 / 256;
inline constexpr double kMaxReferenceScale = 64.0;

// The same placement with its numbers brought into range (a hand-edited
// settings file, a step past the end).
ReferencePlacement Bounded(ReferencePlacement placement);

// A placement that fits a picture of `size` into the frame, centred, at the
// given opacity and layering.
ReferencePlacement FittedPlacement(const QString &file, QSize size, int opacity, bool over);

// The remembered reference pictures of every ROM, as kept in one settings
// value (JSON text): per ROM (its path) and per scope, a picture for a whole
// car or one for a single view (a sprite). The view's own picture goes
// before the car's.
class ReferenceBook
{
public:
    // Unreadable text reads as an empty book.
    static ReferenceBook FromText(const QString &text);
    QString toText() const;

    struct Found
    {
        ReferencePlacement placement;
        bool perView = false;   // the view's own picture (else the car's)
    };
    // The picture in effect for car and sprite (0-based) of the ROM at rom.
    std::optional<Found> find(const QString &rom, int car, int sprite) const;
    // Keeps placement for the car, or for the one view when perView.
    void put(const QString &rom, int car, int sprite, bool perView, const ReferencePlacement &placement);
    void remove(const QString &rom, int car, int sprite, bool perView);

private:
    static QString ScopeKey(int car, int sprite, bool perView);
    QJsonObject roms;   // rom path -> scope key -> placement
};

// The picture as the view shows it at a zoomed size of the frame: premultiplied
// ARGB32 of size `zoomed`, the picture scaled to its placement (a frame pixel
// is zoomed.width() / 48 pixels), its opacity applied, transparent where it
// does not reach. A null picture or size gives a null image.
QImage ZoomedReference(const QImage &picture, const ReferencePlacement &placement, QSize zoomed);

// Puts the premultiplied reference (as ZoomedReference makes it, the size of
// zoomed) over the opaque pixels of zoomed (32-bit) within area. With a frame
// mask (48 x 48, 8-bit), only where the frame pixel a zoomed pixel shows
// (columns[x], rows[y], each 0..47) has a nonzero mask entry; without one,
// everywhere.
void BlendReference(QImage &zoomed, const QImage &reference, const QRect &area, const QImage &frameMask = {},
                    const int *columns = nullptr, const int *rows = nullptr);
