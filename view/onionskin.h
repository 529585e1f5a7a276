#pragma once

#include <QImage>
#include <QList>

#include "view/viewtable.h"

// The onion skin: the views next to the one on show, drawn faintly behind its
// sprite, so that a view is drawn in step with its neighbours.

enum class OnionNeighbours {
    Rotations,   // the rotation steps before and after, at the same tilt
    Tilts,       // the tilt steps above and below, at the same rotation
    Mirror,      // the mirrored partner, rotation 24 - r
};

// The sprites the onion skin shows for the view at rotation (0..23, wrapped)
// and tilt (-4..4, clamped) on show with the given mirroring: each a sprite
// number 1..45 and the mirroring it is drawn with. A mirroring the user added
// to the view on show (one the view table does not give it) is added to each
// neighbour too, so that they face the same way.
//
// Rotations and tilts step to the nearest view in each direction that has a
// sprite of its own (odd tilts have one at few rotations): rotations wrap
// round but stop before coming back to the view on show, tilts stop at -4 and
// 4. None is given twice, nor the sprite on show drawn as it is shown. The
// mirrored partner of rotation r is the view at 24 - r seen in a mirror: the
// sprite of r itself, mirrored; for the views that are their own partners
// (0 and 12), the same. Views without a sprite give no partner.
QList<ViewLookup> OnionSkinViews(int rotation, int tilt, bool mirrored, OnionNeighbours neighbours);

// The faintness of the onion's layers: the share of a layer's colour in a
// pixel it shows in.
inline constexpr int kOnionOpacityPercent = 30;

// Draws the layers behind frame: where frameSlots (ComposeSpriteSlots of the
// frame) holds 0, the background, a pixel takes kOnionOpacityPercent of the
// colour of the first layer whose slots there are not 0 (the layers in the
// order given; each a 48 x 48 picture with its slot picture, slotPicture). Frame and layers
// of another size, or without their slots, leave frame as it is. The result
// is RGB32.
struct OnionLayer
{
    QImage picture;
    QImage slotPicture;
};
QImage WithOnionSkin(const QImage &frame, const QImage &frameSlots, const QList<OnionLayer> &layers);

// The same drawing for layers shown in the frame's own colours (the one
// palette, background and colour model): onionSlots holds at each pixel the
// slot of the first layer that is not 0 there (OnionSlots of the layers' slot
// pictures), and table the colours of the slots (SpriteColorTable). Draws into
// frame (RGB32, 48 x 48) in place; gives WithOnionSkin's pixels.
QImage OnionSlots(const QList<QImage> &layerSlots);
void DrawOnionSlots(QImage &frame, const QImage &frameSlots, const QImage &onionSlots, const QList<QRgb> &table);
