#include "editor/spritedisplay.h"

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "editor/spriteview.h"

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
                          selection.wheelsTurned(), true};
    SpriteViewMapping mapping;
    mapping.zoom = selection.zoom();
    mapping.mirrored = selection.mirrored();
    mapping.offset = PendingOffset(document, selection.car(), selection.sprite());
    view.setSprite(ComposeDocumentSprite(document, look), mapping);
    view.setAccessibleName(tr("Sprite, car %1, sprite %2").arg(selection.car() + 1).arg(selection.sprite() + 1));
}
