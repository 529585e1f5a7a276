// The byte form of a delta's after values, for files that must bring the
// changes back in another run of the program (the recovery file). Sprites keep
// the steps' packed form; every count, index and value is checked against its
// range on reading, so a damaged or made-up file is refused whole.
#include "document/documentdelta.h"

#include <algorithm>

#include <QDataStream>
#include <QIODevice>

namespace {

// The stream's own version, fixed so that another Qt writes the same bytes.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

// A sprite moved by a whole frame or more is out of its frame however far:
// the view shows nothing of it and the save empties it. Offsets are kept
// within these bounds in the file and read back only from within them.
constexpr int kFarthestOffset = kSpriteSide;

int WithinFrame(int offset)
{
    return std::clamp(offset, -kFarthestOffset, kFarthestOffset);
}

bool fail(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

} // namespace

QByteArray DocumentDelta::afterBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << quint32(spriteItems.size());
    for (const SpriteItem &item : spriteItems)
        out << qint32(item.car) << qint32(item.sprite) << item.after;
    out << quint32(offsetItems.size());
    for (const OffsetItem &item : offsetItems)
        out << qint32(item.car) << qint32(item.sprite) << qint32(WithinFrame(item.after.x()))
            << qint32(WithinFrame(item.after.y()));
    out << quint32(paletteItems.size());
    for (const PaletteItem &item : paletteItems) {
        out << qint32(item.palette) << quint32(item.after.size());
        for (const QColor &color : item.after)
            out << color;
    }
    for (const QList<BytesItem> *items : {&characteristicItems, &weaponItems}) {
        out << quint32(items->size());
        for (const BytesItem &item : *items)
            out << qint32(item.car) << item.after;
    }
    return bytes;
}

bool DocumentDelta::ApplyAfterBytes(const QByteArray &bytes, DocumentTables &tables, QString *reason)
{
    QDataStream in(bytes);
    in.setVersion(kStreamVersion);
    DocumentTables result = tables;
    const auto damaged = [&](const QString &what) {
        return fail(reason, QStringLiteral("the saved changes are damaged (%1)").arg(what));
    };
    // A count no larger than the table it indexes, or nothing.
    const auto readCount = [&](qsizetype most, quint32 &count) {
        in >> count;
        return in.status() == QDataStream::Ok && count <= quint64(most);
    };
    const auto validCar = [](const auto &table, qint32 car) { return car >= 0 && car < table.size(); };

    quint32 count = 0;
    qsizetype spriteSlots = 0;
    for (const QList<SpritePixels> &car : std::as_const(result.sprites))
        spriteSlots += car.size();
    if (!readCount(spriteSlots, count))
        return damaged(QStringLiteral("sprite count"));
    for (quint32 k = 0; k < count; ++k) {
        qint32 car = 0, sprite = 0;
        QByteArray stored;
        in >> car >> sprite >> stored;
        if (in.status() != QDataStream::Ok || !validCar(result.sprites, car)
            || sprite < 0 || sprite >= result.sprites.at(car).size())
            return damaged(QStringLiteral("sprite %1").arg(k + 1));
        const SpritePixels pixels = LoadSprite(stored);
        if (pixels.size() != result.sprites.at(car).at(sprite).size()
            || !std::all_of(pixels.cbegin(), pixels.cend(), [](int index) { return index >= 0 && index < 16; }))
            return damaged(QStringLiteral("pixels of car %1, sprite %2").arg(car + 1).arg(sprite + 1));
        result.sprites[car][sprite] = pixels;
    }

    if (!readCount(spriteSlots, count))
        return damaged(QStringLiteral("offset count"));
    for (quint32 k = 0; k < count; ++k) {
        qint32 car = 0, sprite = 0, x = 0, y = 0;
        in >> car >> sprite >> x >> y;
        if (in.status() != QDataStream::Ok || !validCar(result.offsets, car)
            || sprite < 0 || sprite >= result.offsets.at(car).size())
            return damaged(QStringLiteral("offset %1").arg(k + 1));
        if (x != WithinFrame(x) || y != WithinFrame(y))
            return damaged(QStringLiteral("offset of car %1, sprite %2: (%3, %4) lies outside -%5..%5")
                               .arg(car + 1)
                               .arg(sprite + 1)
                               .arg(x)
                               .arg(y)
                               .arg(kFarthestOffset));
        result.offsets[car][sprite] = QPoint(x, y);
    }

    if (!readCount(result.palettes.size(), count))
        return damaged(QStringLiteral("palette count"));
    for (quint32 k = 0; k < count; ++k) {
        qint32 palette = 0;
        quint32 colors = 0;
        in >> palette >> colors;
        if (in.status() != QDataStream::Ok || !validCar(result.palettes, palette)
            || colors != quint32(result.palettes.at(palette).size()))
            return damaged(QStringLiteral("palette %1").arg(k + 1));
        Palette values;
        for (quint32 c = 0; c < colors; ++c) {
            // A colour begins with its model (QColor::Spec, one byte): one
            // out of range is refused before QColor takes it in, and so is
            // the floating-point model, which no palette of the editor uses
            // (and whose values need not even equal themselves).
            char spec = 0;
            if (in.device()->peek(&spec, 1) != 1 || spec < QColor::Rgb || spec > QColor::Hsl)
                return damaged(QStringLiteral("palette %1").arg(palette + 1));
            QColor color;
            in >> color;
            values.append(color);
        }
        // An invalid colour is none a palette of the editor holds.
        if (in.status() != QDataStream::Ok
            || !std::all_of(values.cbegin(), values.cend(), [](const QColor &color) { return color.isValid(); }))
            return damaged(QStringLiteral("palette %1").arg(palette + 1));
        result.palettes[palette] = values;
    }

    for (QList<QByteArray> *table : {&result.characteristics, &result.weapons}) {
        const QString what = table == &result.characteristics ? QStringLiteral("characteristics")
                                                               : QStringLiteral("weapons");
        if (!readCount(table->size(), count))
            return damaged(what);
        for (quint32 k = 0; k < count; ++k) {
            qint32 car = 0;
            QByteArray values;
            in >> car >> values;
            if (in.status() != QDataStream::Ok || !validCar(*table, car) || values.size() != table->at(car).size())
                return damaged(what);
            (*table)[car] = values;
        }
    }
    if (!in.atEnd())
        return damaged(QStringLiteral("bytes after the end"));
    tables = result;
    return true;
}
