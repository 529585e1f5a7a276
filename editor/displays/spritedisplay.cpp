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
    if (!(parts & Selection::kFrameParts))
        return;
    showFrame(parts & Selection::Animated ? SpriteView::Repaint::Now : SpriteView::Repaint::Later);
    if (parts & (Selection::Car | Selection::Sprite))
        naming.follow(parts);
}

void SpriteDisplay::tablesChanged(const TableChanges &changes)
{
    // Any change may touch a kept frame (a sprite, a palette, an offset).
    frames.clear();
    if (changes.touchesSprite(selection.car(), selection.sprite()) || changes.touchesPalette(selection.palette()))
        refresh();
}

QImage SpriteDisplay::frameOnShow(QPoint offset)
{
    const SpriteLook look{selection.car(), selection.sprite(), selection.palette(), selection.mirrored(),
                          selection.wheelsTurned(), true, selection.colorModel()};
    const quint64 key = quint64(quint8(look.car)) | quint64(quint8(look.sprite)) << 8
        | quint64(quint16(look.palette)) << 16 | quint64(look.mirrored) << 32 | quint64(look.wheelsTurned) << 33
        | quint64(checker) << 34 | quint64(quint8(look.colors)) << 40;
    if (const QImage *kept = frames.object(key))
        return *kept;
    QImage frame = ComposeDocumentSprite(document, look);
    if (checker) {
        const SpriteTable &sprites = document.sprites();
        const bool known = look.car >= 0 && look.car < sprites.size() && look.sprite >= 0
            && look.sprite < sprites.at(look.car).size();
        frame = WithCheckerboard(frame, ComposeSpriteSlots(known ? &sprites.at(look.car).at(look.sprite) : nullptr,
                                                           offset, look.mirrored, look.wheelsTurned));
    }
    frame = frame.convertToFormat(QImage::Format_RGB32);
    frames.insert(key, new QImage(frame));
    return frame;
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
    view.setSprite(frameOnShow(mapping.offset), mapping, repaint);
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
