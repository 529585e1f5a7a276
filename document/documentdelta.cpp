#include "document/documentdelta.h"

#include <algorithm>
#include <cstring>

namespace {

template <typename Item, typename Key>
Item *findItem(QList<Item> &items, Key matches)
{
    const auto it = std::find_if(items.begin(), items.end(), matches);
    return it == items.end() ? nullptr : &*it;
}

// Adds the later items to the earlier ones: a pair already there takes the
// later after value; a pair that ends where it began goes.
template <typename Item, typename Same>
void mergeItems(QList<Item> &earlier, const QList<Item> &later, Same same)
{
    for (const Item &item : later) {
        Item *known = findItem(earlier, [&](const Item &e) { return same(e, item); });
        if (known)
            known->after = item.after;
        else
            earlier.append(item);
    }
    earlier.removeIf([](const Item &item) { return item.before == item.after; });
}

} // namespace

QByteArray DocumentDelta::StoreSprite(const SpritePixels &pixels)
{
    const bool nibbles = pixels.size() % 2 == 0
        && std::all_of(pixels.cbegin(), pixels.cend(), [](int index) { return index >= 0 && index < 16; });
    QByteArray stored;
    if (nibbles) {
        stored.reserve(1 + pixels.size() / 2);
        stored.append('P');
        for (qsizetype k = 0; k < pixels.size(); k += 2)
            stored.append(static_cast<char>((pixels.at(k) << 4) | pixels.at(k + 1)));
    } else {
        // Anything else is kept exactly as it is.
        stored.append('U');
        stored.append(reinterpret_cast<const char *>(pixels.constData()), pixels.size() * qsizetype(sizeof(int)));
    }
    return stored;
}

SpritePixels DocumentDelta::LoadSprite(const QByteArray &stored)
{
    SpritePixels pixels;
    if (stored.startsWith('P')) {
        pixels.resize((stored.size() - 1) * 2);
        for (qsizetype k = 1; k < stored.size(); ++k) {
            const auto byte = static_cast<unsigned char>(stored.at(k));
            pixels[2 * (k - 1)] = byte >> 4;
            pixels[2 * (k - 1) + 1] = byte & 0x0F;
        }
    } else if (stored.startsWith('U')) {
        pixels.resize((stored.size() - 1) / qsizetype(sizeof(int)));
        std::memcpy(pixels.data(), stored.constData() + 1, pixels.size() * sizeof(int));
    }
    return pixels;
}

DocumentDelta DocumentDelta::Between(const DocumentTables &before, const DocumentTables &after)
{
    DocumentDelta delta;
    if (!SameShape(before, after))
        return delta;

    // Equal containers that share their data compare at once.
    for (int car = 0; car < before.sprites.size(); ++car)
        for (int sprite = 0; sprite < before.sprites.at(car).size(); ++sprite) {
            const SpritePixels &a = before.sprites.at(car).at(sprite);
            const SpritePixels &b = after.sprites.at(car).at(sprite);
            if (a != b)
                delta.spriteItems.append({car, sprite, StoreSprite(a), StoreSprite(b)});
        }
    for (int car = 0; car < before.offsets.size(); ++car)
        for (int sprite = 0; sprite < before.offsets.at(car).size(); ++sprite) {
            const QPoint a = before.offsets.at(car).at(sprite);
            const QPoint b = after.offsets.at(car).at(sprite);
            if (a != b)
                delta.offsetItems.append({car, sprite, a, b});
        }
    for (int p = 0; p < before.palettes.size(); ++p)
        if (before.palettes.at(p) != after.palettes.at(p))
            delta.paletteItems.append({p, before.palettes.at(p), after.palettes.at(p)});
    for (int car = 0; car < before.characteristics.size(); ++car)
        if (before.characteristics.at(car) != after.characteristics.at(car))
            delta.characteristicItems.append({car, before.characteristics.at(car), after.characteristics.at(car)});
    for (int car = 0; car < before.weapons.size(); ++car)
        if (before.weapons.at(car) != after.weapons.at(car))
            delta.weaponItems.append({car, before.weapons.at(car), after.weapons.at(car)});
    return delta;
}

DocumentDelta DocumentDelta::OfPixels(int car, int sprite, const PixelChanges &changes)
{
    DocumentDelta delta;
    if (car >= 0 && sprite >= 0 && !changes.isEmpty())
        delta.pixelItems.append({car, sprite, changes});
    return delta;
}

bool DocumentDelta::isEmpty() const
{
    return spriteItems.isEmpty() && offsetItems.isEmpty() && paletteItems.isEmpty()
        && characteristicItems.isEmpty() && weaponItems.isEmpty() && pixelItems.isEmpty();
}

TableChanges DocumentDelta::applyTo(DocumentTables &tables, bool forward) const
{
    // Every index was valid when the delta was made and a step never changes
    // the tables' shape; the checks only keep a stray delta from writing
    // outside them.
    TableChanges touched;
    const auto touch = [&touched](int car, int sprite) {
        const QPair<int, int> key(car, sprite);
        if (!touched.sprites.contains(key))
            touched.sprites.append(key);
    };
    for (const SpriteItem &item : spriteItems) {
        if (item.car < tables.sprites.size() && item.sprite < tables.sprites.at(item.car).size()) {
            tables.sprites[item.car][item.sprite] = LoadSprite(forward ? item.after : item.before);
            touch(item.car, item.sprite);
        }
    }
    // Forward in the order drawn, backward last change first.
    for (qsizetype k = 0; k < pixelItems.size(); ++k) {
        const PixelItem &item = pixelItems.at(forward ? k : pixelItems.size() - 1 - k);
        if (item.car < tables.sprites.size() && item.sprite < tables.sprites.at(item.car).size()) {
            SpritePixels &pixels = tables.sprites[item.car][item.sprite];
            if (forward)
                ApplyPixelChanges(pixels, item.changes);
            else
                RevertPixelChanges(pixels, item.changes);
            touch(item.car, item.sprite);
        }
    }
    for (const OffsetItem &item : offsetItems) {
        if (item.car < tables.offsets.size() && item.sprite < tables.offsets.at(item.car).size()) {
            tables.offsets[item.car][item.sprite] = forward ? item.after : item.before;
            touch(item.car, item.sprite);
        }
    }
    for (const PaletteItem &item : paletteItems) {
        if (item.palette < tables.palettes.size()) {
            tables.palettes[item.palette] = forward ? item.after : item.before;
            touched.palettes.append(item.palette);
        }
    }
    const auto applyBytes = [&](const QList<BytesItem> &items, QList<QByteArray> &table) {
        for (const BytesItem &item : items) {
            if (item.car < table.size()) {
                table[item.car] = forward ? item.after : item.before;
                if (!touched.equipmentCars.contains(item.car))
                    touched.equipmentCars.append(item.car);
            }
        }
    };
    applyBytes(characteristicItems, tables.characteristics);
    applyBytes(weaponItems, tables.weapons);
    return touched;
}

void DocumentDelta::mergeLater(const DocumentDelta &later)
{
    mergeItems(spriteItems, later.spriteItems,
               [](const SpriteItem &a, const SpriteItem &b) { return a.car == b.car && a.sprite == b.sprite; });
    mergeItems(offsetItems, later.offsetItems,
               [](const OffsetItem &a, const OffsetItem &b) { return a.car == b.car && a.sprite == b.sprite; });
    mergeItems(paletteItems, later.paletteItems,
               [](const PaletteItem &a, const PaletteItem &b) { return a.palette == b.palette; });
    const auto sameCar = [](const BytesItem &a, const BytesItem &b) { return a.car == b.car; };
    mergeItems(characteristicItems, later.characteristicItems, sameCar);
    mergeItems(weaponItems, later.weaponItems, sameCar);
    pixelItems += later.pixelItems;
}

qsizetype DocumentDelta::storedBytes() const
{
    qsizetype bytes = 0;
    for (const SpriteItem &item : spriteItems)
        bytes += sizeof(SpriteItem) + item.before.size() + item.after.size();
    bytes += offsetItems.size() * qsizetype(sizeof(OffsetItem));
    bytes += paletteItems.size() * qsizetype(sizeof(PaletteItem) + 2 * kColorsPerPalette * sizeof(QColor));
    for (const BytesItem &item : characteristicItems + weaponItems)
        bytes += sizeof(BytesItem) + item.before.size() + item.after.size();
    for (const PixelItem &item : pixelItems)
        bytes += sizeof(PixelItem) + item.changes.size() * qsizetype(sizeof(PixelChange));
    return bytes;
}
