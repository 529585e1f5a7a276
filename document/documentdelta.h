#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>

#include "document/documenttables.h"
#include "view/pixeltools.h"

// What one step changed, item by item, with the value before and after. Only
// changed items are stored; sprites are kept packed (two indices a byte) when
// every index fits a nibble, so a step of one sprite costs about 2.3 KB.
class DocumentDelta
{
public:
    // Everything that differs between before and after. Tables of different
    // shapes give an empty delta: a step never changes the shape.
    static DocumentDelta Between(const DocumentTables &before, const DocumentTables &after);
    // The pixels one stroke changed in one sprite, and nothing else: a step
    // made while the stroke went on is not repeated in it.
    static DocumentDelta OfPixels(int car, int sprite, const PixelChanges &changes);

    bool isEmpty() const;
    // Puts the after (forward) or before values into tables and says which
    // items it set.
    TableChanges applyTo(DocumentTables &tables, bool forward) const;

    // Folds a later delta into this one: the earlier before values stay, the
    // later after values win. Items that end where they started are dropped.
    // Pixel changes are kept in order after the whole sprites: exact as long as
    // a merged delta does not hold both for one sprite (strokes never merge).
    void mergeLater(const DocumentDelta &later);

    // Bytes held by the stored values (for the memory benchmark).
    qsizetype storedBytes() const;

    // The after values alone, as bytes for a file (sprites stored as in the
    // steps): what the recovery file keeps. See documentdeltabytes.cpp.
    QByteArray afterBytes() const;
    // Puts values saved by afterBytes() into tables, all or nothing: false
    // (tables as they were, *reason saying why) when the bytes are damaged or
    // name an item tables do not have or a value of another size.
    static bool ApplyAfterBytes(const QByteArray &bytes, DocumentTables &tables, QString *reason = nullptr);

private:
    struct SpriteItem
    {
        int car, sprite;
        QByteArray before, after;   // see StoreSprite
    };
    struct OffsetItem
    {
        int car, sprite;
        QPoint before, after;
    };
    struct PaletteItem
    {
        int palette;
        Palette before, after;
    };
    struct BytesItem
    {
        int car;
        QByteArray before, after;
    };
    struct PixelItem
    {
        int car, sprite;
        PixelChanges changes;
    };

    static QByteArray StoreSprite(const SpritePixels &pixels);
    static SpritePixels LoadSprite(const QByteArray &stored);

    QList<SpriteItem> spriteItems;
    QList<OffsetItem> offsetItems;
    QList<PaletteItem> paletteItems;
    QList<BytesItem> characteristicItems;
    QList<BytesItem> weaponItems;
    QList<PixelItem> pixelItems;
};
