#include "editor/displays/spritedisplay.h"

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "editor/displays/spriteview.h"
#include "view/checkerboard.h"
#include "view/onionskin.h"
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
        dropFrames([](const ShownFrame &) { return true; });
        refresh();
    });
    connect(&document, &CarDocument::loaded, this, [this] {
        dropFrames([](const ShownFrame &) { return true; });
        slotPictures.clear();
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
    dropStale(changes);
    bool touched = changes.touchesSprite(selection.car(), selection.sprite()) || changes.touchesPalette(selection.palette());
    for (const int sprite : onionSprites())
        touched = touched || changes.touchesSprite(selection.car(), sprite);
    if (touched)
        refresh();
}

void SpriteDisplay::dropStale(const TableChanges &changes)
{
    if (changes.everything) {
        dropFrames([](const ShownFrame &) { return true; });
        slotPictures.clear();
        return;
    }
    // A sprite's pixels or offset make its slots and every frame that shows
    // it, also faintly; a palette every frame in it.
    for (const auto &[car, sprite] : changes.sprites)
        slotPictures.removeIf([car, sprite](const auto &kept) {
            return int(qint8(kept.key() & 0xff)) == car && int(qint8(kept.key() >> 8 & 0xff)) == sprite;
        });
    dropFrames([&changes](const ShownFrame &kept) {
        bool stale = changes.palettes.contains(kept.palette);
        for (qsizetype i = 0; !stale && i < kept.sprites.size(); ++i)
            stale = changes.sprites.contains({kept.car, kept.sprites.at(i)});
        return stale;
    });
}

void SpriteDisplay::dropFrames(const std::function<bool(const ShownFrame &)> &stale)
{
    QList<qint64> dropped;
    const QList<quint64> keys = frames.keys();
    for (const quint64 key : keys) {
        const ShownFrame *kept = frames.object(key);
        if (stale(*kept)) {
            dropped << kept->picture.cacheKey();
            frames.remove(key);
        }
    }
    // The view need not keep their zoomed pictures either.
    if (!dropped.isEmpty())
        view.forgetFrames(dropped);
}

QImage SpriteDisplay::slotsOf(int car, int sprite, bool mirrored, bool wheelsTurned)
{
    const quint32 key = quint32(quint8(car)) | quint32(quint8(sprite)) << 8 | quint32(mirrored) << 16
        | quint32(wheelsTurned) << 17;
    const auto kept = slotPictures.constFind(key);
    if (kept != slotPictures.constEnd())
        return *kept;
    const SpriteTable &sprites = document.sprites();
    const bool known = car >= 0 && car < sprites.size() && sprite >= 0 && sprite < sprites.at(car).size();
    const QImage composed = known ? ComposeSpriteSlots(&sprites.at(car).at(sprite), PendingOffset(document, car, sprite),
                                                    mirrored, wheelsTurned)
                               : ComposeSpriteSlots(nullptr, {}, false, false);
    slotPictures.insert(key, composed);
    return composed;
}

SpriteDisplay::ShownFrame SpriteDisplay::frameOnShow()
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
    shown.car = look.car;
    shown.palette = look.palette;
    shown.sprites = {look.sprite};
    shown.slotPicture = slotsOf(look.car, look.sprite, look.mirrored, look.wheelsTurned);
    // The onion's layers are in the same palette, background and colours as the sprite.
    const QList<QRgb> table = SpriteColorTable(document.palettes().value(look.palette), document.background(), false,
                                               look.colors);
    shown.picture = ComposeSlotColors(shown.slotPicture, table);
    if (checker)
        shown.picture = WithCheckerboard(shown.picture, shown.slotPicture);
    const QImage neighbourSlots = onionSlots(shown.sprites);
    if (!neighbourSlots.isNull())
        DrawOnionSlots(shown.picture, shown.slotPicture, neighbourSlots, table);
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

QImage SpriteDisplay::onionSlots(QList<int> &used)
{
    const QList<ViewLookup> views = onionViews();
    const SpriteTable &sprites = document.sprites();
    const int car = selection.car();
    const auto known = [&sprites, car](int sprite) {
        return car >= 0 && car < sprites.size() && sprite >= 0 && sprite < sprites.at(car).size();
    };
    if (views.isEmpty() || !known(selection.sprite()))
        return {};
    QList<QImage> layers;
    for (const ViewLookup &view : views) {
        const int sprite = view.spriteNumber - 1;
        if (!known(sprite))
            continue;
        layers << slotsOf(car, sprite, view.mirrored, selection.wheelsTurned());
        used << sprite;
    }
    return OnionSlots(layers);
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
    const ShownFrame shown = frameOnShow();
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
