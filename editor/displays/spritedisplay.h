#pragma once

#include <QCache>
#include <QImage>
#include <QObject>

#include "editor/state/animationfollower.h"
#include "editor/state/selection.h"
#include "editor/displays/spriteview.h"
#include "view/onionskin.h"

class CarDocument;
struct TableChanges;

// Keeps the sprite view showing what the selection names, as the document
// holds it: a new frame when the selection's car, sprite, palette, mirroring,
// wheels or zoom change, or when the document changes that sprite, its
// palette or the background. Nobody else tells the view what to show.
class SpriteDisplay : public QObject
{
    Q_OBJECT

public:
    SpriteDisplay(const CarDocument &document, const Selection &selection, SpriteView &view, QObject *parent);

    // Composes the frame and hands it to the view (which repaints the pixels
    // that differ, and lays out only for a new zoom).
    void refresh();
    // Index 0 as a light checkerboard instead of the background colour.
    void setCheckerboard(bool on);
    bool checkerboard() const { return checker; }
    // The onion skin: the neighbours of the view on show drawn faintly behind
    // its sprite (in the view only; exports compose from the document).
    void setOnionSkin(bool on, OnionNeighbours neighbours);
    bool onionSkin() const { return onion; }
    OnionNeighbours onionNeighbours() const { return neighbours; }
    // The sprites (0-based) the onion skin shows now; none while it is off.
    QList<int> onionSprites() const;

private:
    void selectionChanged(Selection::Parts parts);
    // The view's accessible name names the car and sprite on show.
    void showFrame(SpriteView::Repaint repaint = SpriteView::Repaint::Later);
    void nameView();
    void tablesChanged(const TableChanges &changes);
    // The frame of the selection as it stands, composed once until the
    // document changes (the animation shows the same frames over and over),
    // kept in the view's own format.
    struct ShownFrame
    {
        QImage picture;
        QImage slotPicture;   // ComposeSpriteSlots of the sprite on show: where its background shows
    };
    ShownFrame frameOnShow(QPoint offset);
    // The neighbours' layers for the onion skin, when it is on.
    QImage withOnionSkin(const QImage &frame, const QImage &slotPicture) const;
    QList<ViewLookup> onionViews() const;

    const CarDocument &document;
    const Selection &selection;
    SpriteView &view;
    bool checker = false;
    bool onion = false;
    bool stepToPaint = false;   // an animation's step, painted when the selection has settled
    OnionNeighbours neighbours = OnionNeighbours::Rotations;
    QCache<quint64, ShownFrame> frames{kCachedFrames};
    // Screen readers hear of the animation's steps ten times a second.
    AnimationFollower naming{[this] { nameView(); }};

    // Every sprite of a car, both wheel positions, mirrored or not.
    static constexpr int kCachedFrames = 4 * 45 * 2;
};
