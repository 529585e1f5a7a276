#include "editor/displays/spritedisplay.h"

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "editor/displays/spriteview.h"
#include "view/checkerboard.h"
#include "view/spritecomposer.h"

SpriteDisplay::SpriteDisplay(const CarDocument &document, const Selection &selection, SpriteView &view,
                             QObject *parent)
    : QObject(parent), document(document), selection(selection), view(view)
{
    setObjectName(QStringLiteral("spriteDisplay"));
    connect(&selection, &Selection::changed, this, &SpriteDisplay::selectionChanged);
    // An animation's step is painted once every display has marked its part.
    connect(&selection, &Selection::settled, this, [this] {
        if (stepToPaint)
            this->view.paintNow();
        stepToPaint = false;
    });
    connect(&document, &CarDocument::tablesChanged, this, &SpriteDisplay::tablesChanged);
    connect(&document, &CarDocument::backgroundChanged, this, [this] {
        frames.clear();
        refresh();
    });
    connect(&document, &CarDocument::loaded, this, [this] {
        frames.clear();
        refresh();
    });
    refresh();
}

void SpriteDisplay::selectionChanged(Selection::Parts parts)
{
    // The onion's neighbours follow the view even where its sprite stays.
    const int onionParts = onion ? Selection::Rotation | Selection::Tilt : 0;
    if (!(parts & (Selection::kFrameParts | onionParts)))
        return;
    stepToPaint = parts & Selection::Animated;
    showFrame(stepToPaint ? SpriteView::Repaint::ByPaintNow : SpriteView::Repaint::Later);
    if (parts & (Selection::Car | Selection::Sprite))
        naming.follow(parts);
}

void SpriteDisplay::tablesChanged(const TableChanges &changes)
{
    // Any change may touch a kept frame (a sprite, a palette, an offset).
    frames.clear();
    bool touched = changes.touchesSprite(selection.car(), selection.sprite()) || changes.touchesPalette(selection.palette());
    for (const int sprite : onionSprites())
        touched = touched || changes.touchesSprite(selection.car(), sprite);
    if (touched)
        refresh();
}

SpriteDisplay::ShownFrame SpriteDisplay::frameOnShow(QPoint offset)
{
    const SpriteLook look{selection.car(), selection.sprite(), selection.palette(), selection.mirrored(),
                          selection.wheelsTurned(), true, selection.colorModel()};
    const quint64 key = quint64(quint8(look.car)) | quint64(quint8(look.sprite)) << 8
        | quint64(quint16(look.palette)) << 16 | quint64(look.mirrored) << 32 | quint64(look.wheelsTurned) << 33
        | quint64(checker) << 34 | quint64(quint8(look.colors)) << 40
        // With the onion skin, the view (not only its sprite) makes the frame.
        | (onion ? quint64(1 + int(neighbours)) << 48 | quint64(selection.rotation()) << 50
                       | quint64(selection.tilt() - kMinTilt) << 56
                 : 0);
    if (const ShownFrame *kept = frames.object(key))
        return *kept;
    ShownFrame shown;
    QImage frame = ComposeDocumentSprite(document, look);
    const SpriteTable &sprites = document.sprites();
    const bool known = look.car >= 0 && look.car < sprites.size() && look.sprite >= 0
        && look.sprite < sprites.at(look.car).size();
    shown.slotPicture = ComposeSpriteSlots(known ? &sprites.at(look.car).at(look.sprite) : nullptr, offset, look.mirrored,
                                     look.wheelsTurned);
    if (checker)
        frame = WithCheckerboard(frame, shown.slotPicture);
    shown.picture = withOnionSkin(frame.convertToFormat(QImage::Format_RGB32), shown.slotPicture);
    frames.insert(key, new ShownFrame(shown));
    return shown;
}

QList<ViewLookup> SpriteDisplay::onionViews() const
{
    if (!onion)
        return {};
    return OnionSkinViews(selection.rotation(), selection.tilt(), selection.mirrored(), neighbours);
}

QList<int> SpriteDisplay::onionSprites() const
{
    QList<int> sprites;
    for (const ViewLookup &view : onionViews())
        sprites << view.spriteNumber - 1;
    return sprites;
}

QImage SpriteDisplay::withOnionSkin(const QImage &frame, const QImage &slotPicture) const
{
    const QList<ViewLookup> views = onionViews();
    const SpriteTable &sprites = document.sprites();
    const int car = selection.car();
    const auto pixelsOf = [&sprites, car](int sprite) -> const SpritePixels * {
        const bool known = car >= 0 && car < sprites.size() && sprite >= 0 && sprite < sprites.at(car).size();
        return known ? &sprites.at(car).at(sprite) : nullptr;
    };
    if (views.isEmpty() || !pixelsOf(selection.sprite()))
        return frame;
    QList<OnionLayer> layers;
    for (const ViewLookup &view : views) {
        const int sprite = view.spriteNumber - 1;
        if (!pixelsOf(sprite))
            continue;
        const SpriteLook look{car, sprite, selection.palette(), view.mirrored, selection.wheelsTurned(), true,
                              selection.colorModel()};
        layers << OnionLayer{ComposeDocumentSprite(document, look),
                             ComposeSpriteSlots(pixelsOf(sprite), PendingOffset(document, car, sprite), view.mirrored,
                                                selection.wheelsTurned())};
    }
    return WithOnionSkin(frame, slotPicture, layers);
}

void SpriteDisplay::setOnionSkin(bool on, OnionNeighbours which)
{
    if (onion == on && neighbours == which)
        return;
    onion = on;
    neighbours = which;
    refresh();   // the key holds the onion skin
}

void SpriteDisplay::refresh()
{
    showFrame();
    naming.now();
}

void SpriteDisplay::showFrame(SpriteView::Repaint repaint)
{
    SpriteViewMapping mapping;
    mapping.zoom = selection.zoom();
    mapping.mirrored = selection.mirrored();
    mapping.offset = PendingOffset(document, selection.car(), selection.sprite());
    const ShownFrame shown = frameOnShow(mapping.offset);
    view.setSprite(shown.picture, mapping, repaint, shown.slotPicture);
}

void SpriteDisplay::nameView()
{
    const QString name = tr("Sprite, car %1, sprite %2").arg(selection.car() + 1).arg(selection.sprite() + 1);
    // Screen readers hear of a new name: only of a real one.
    if (view.accessibleName() != name)
        view.setAccessibleName(name);
}

void SpriteDisplay::setCheckerboard(bool on)
{
    if (checker == on)
        return;
    checker = on;
    refresh();   // the key holds the checkerboard
}
