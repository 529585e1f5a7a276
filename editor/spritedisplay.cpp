#include "editor/spritedisplay.h"

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "editor/spriteview.h"
#include "view/checkerboard.h"
#include "view/spritecomposer.h"

SpriteDisplay::SpriteDisplay(const CarDocument &document, const Selection &selection, SpriteView &view,
                             QObject *parent)
    : QObject(parent), document(document), selection(selection), view(view)
{
    setObjectName(QStringLiteral("spriteDisplay"));
    connect(&selection, &Selection::changed, this, &SpriteDisplay::selectionChanged);
    connect(&document, &CarDocument::tablesChanged, this, &SpriteDisplay::tablesChanged);
    connect(&document, &CarDocument::backgroundChanged, this, &SpriteDisplay::refresh);
    refresh();
}

void SpriteDisplay::selectionChanged(Selection::Parts parts)
{
    if (parts & Selection::kFrameParts)
        refresh();
}

void SpriteDisplay::tablesChanged(const TableChanges &changes)
{
    if (changes.touchesSprite(selection.car(), selection.sprite()) || changes.touchesPalette(selection.palette()))
        refresh();
}

void SpriteDisplay::refresh()
{
    const SpriteLook look{selection.car(), selection.sprite(), selection.palette(), selection.mirrored(),
                          selection.wheelsTurned(), true, selection.colorModel()};
    SpriteViewMapping mapping;
    mapping.zoom = selection.zoom();
    mapping.mirrored = selection.mirrored();
    mapping.offset = PendingOffset(document, selection.car(), selection.sprite());
    QImage frame = ComposeDocumentSprite(document, look);
    if (checker) {
        const SpriteTable &sprites = document.sprites();
        const bool known = look.car >= 0 && look.car < sprites.size() && look.sprite >= 0
            && look.sprite < sprites.at(look.car).size();
        frame = WithCheckerboard(frame, ComposeSpriteSlots(known ? &sprites.at(look.car).at(look.sprite) : nullptr,
                                                           mapping.offset, look.mirrored, look.wheelsTurned));
    }
    view.setSprite(frame, mapping);
    view.setAccessibleName(tr("Sprite, car %1, sprite %2").arg(selection.car() + 1).arg(selection.sprite() + 1));
}

void SpriteDisplay::setCheckerboard(bool on)
{
    if (checker == on)
        return;
    checker = on;
    refresh();
}
