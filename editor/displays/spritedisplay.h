#pragma once

#include <QCache>
#include <QImage>
#include <QObject>

#include "editor/state/animationfollower.h"
#include "editor/state/selection.h"
#include "editor/displays/spriteview.h"

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

private:
    void selectionChanged(Selection::Parts parts);
    // The view's accessible name names the car and sprite on show.
    void showFrame(SpriteView::Repaint repaint = SpriteView::Repaint::Later);
    void nameView();
    void tablesChanged(const TableChanges &changes);
    // The frame of the selection as it stands, composed once until the
    // document changes (the animation shows the same frames over and over),
    // kept in the view's own format.
    QImage frameOnShow(QPoint offset);

    const CarDocument &document;
    const Selection &selection;
    SpriteView &view;
    bool checker = false;
    QCache<quint64, QImage> frames{kCachedFrames};
    // Screen readers hear of the animation's steps ten times a second.
    AnimationFollower naming{[this] { nameView(); }};

    // Every sprite of a car, both wheel positions, mirrored or not.
    static constexpr int kCachedFrames = 4 * 45 * 2;
};
