#pragma once

#include <functional>

#include <QCache>
#include <QHash>
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
    // document changes what it shows (the animation shows the same frames
    // over and over), kept in the view's own format.
    struct ShownFrame
    {
        QImage picture;
        QImage slotPicture;   // ComposeSpriteSlots of the sprite on show: where its background shows
        // What it was made from: the car, its sprites (the one on show, then
        // the onion's) and the palette. A change of any drops it.
        int car = -1;
        QList<int> sprites;
        int palette = -1;
    };
    ShownFrame frameOnShow();
    // ComposeSpriteSlots of a sprite of the car on show as the document holds
    // it (its pending offset included), kept until the document changes that
    // sprite.
    QImage slotsOf(int car, int sprite, bool mirrored, bool wheelsTurned);
    // The neighbours' slots for the onion skin (OnionSlots), null while it is
    // off; adds the sprites it shows to used.
    QImage onionSlots(QList<int> &used);
    QList<ViewLookup> onionViews() const;
    // Drops the kept pictures the changes make stale.
    void dropStale(const TableChanges &changes);
    void dropFrames(const std::function<bool(const ShownFrame &)> &stale);

    const CarDocument &document;
    const Selection &selection;
    SpriteView &view;
    bool checker = false;
    bool onion = false;
    bool stepToPaint = false;   // an animation's step, painted when the selection has settled
    OnionNeighbours neighbours = OnionNeighbours::Rotations;
    QCache<quint64, ShownFrame> frames{kCachedFrames};
    // Keyed by car, sprite, mirroring and wheels (see slotsOf).
    QHash<quint32, QImage> slotPictures;
    // Screen readers hear of the animation's steps ten times a second.
    AnimationFollower naming{[this] { nameView(); }};

    // Every sprite of a car, both wheel positions, mirrored or not.
    static constexpr int kCachedFrames = 4 * 45 * 2;
};
