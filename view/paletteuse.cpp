#include "view/paletteuse.h"

#include <QStringList>

#include "rom/numbertext.h"
#include "view/spritecomposer.h"

namespace {

void AddCounts(IndexCounts &counts, const SpritePixels &pixels)
{
    for (int value : pixels) {
        if (value >= 0 && value < kColorsPerPalette)
            ++counts[value];
    }
}

// "car 5", "cars 2 and 5", "cars 1, 2 and 5" (1-based numbers).
QString CarList(const QList<int> &cars)
{
    QStringList numbers;
    for (int car : cars)
        numbers.append(QString::number(car + 1));
    if (numbers.size() == 1)
        return QStringLiteral("car ") + numbers.first();
    const QString last = numbers.takeLast();
    return QStringLiteral("cars %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
}

} // namespace

IndexCounts CountIndices(const SpritePixels &pixels)
{
    IndexCounts counts{};
    AddCounts(counts, pixels);
    return counts;
}

IndexCounts CountCarIndices(const QList<SpritePixels> &car)
{
    IndexCounts counts{};
    for (const SpritePixels &pixels : car)
        AddCounts(counts, pixels);
    return counts;
}

PaletteUse CountPaletteUse(const SpriteTable &sprites, int car, int sprite)
{
    QList<IndexCounts> cars;
    cars.reserve(sprites.size());
    for (const QList<SpritePixels> &pixels : sprites)
        cars.append(CountCarIndices(pixels));
    IndexCounts shown{};
    if (car >= 0 && car < sprites.size() && sprite >= 0 && sprite < sprites.at(car).size())
        shown = CountIndices(sprites.at(car).at(sprite));
    return PaletteUseOf(cars, car, shown);
}

PaletteUse PaletteUseOf(const QList<IndexCounts> &cars, int car, const IndexCounts &sprite)
{
    PaletteUse use;
    for (int c = 0; c < cars.size(); ++c) {
        if (c == car) {
            use.car = cars.at(c);
            continue;
        }
        for (int i = 0; i < kColorsPerPalette; ++i) {
            if (cars.at(c)[i] == 0)
                use.unusedInCars[i].append(c);
        }
    }
    use.sprite = sprite;
    return use;
}

QString PaletteUseText(const PaletteUse &use, int index)
{
    if (index < 0 || index >= kColorsPerPalette)
        return {};
    const int inSprite = use.sprite[index];
    QString text = QStringLiteral("index %1: %2 %3 in this sprite, %4 in this car")
                       .arg(index)
                       .arg(GroupedNumber(inSprite), inSprite == 1 ? QStringLiteral("pixel") : QStringLiteral("pixels"),
                            GroupedNumber(use.car[index]));
    if (!use.unusedInCars[index].isEmpty())
        text += QStringLiteral(", unused in ") + CarList(use.unusedInCars[index]);
    return text;
}

QList<QLine> IndexOutline(const SpritePixels *pixels, int index, QPoint offset, bool mirrored)
{
    QList<QLine> lines;
    if (!pixels || index < 0 || index >= kColorsPerPalette)
        return lines;
    const QImage slotPicture = ComposeSpriteSlots(pixels, offset, mirrored, false);
    const auto shows = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kSpriteSide && y < kSpriteSide && slotPicture.constScanLine(y)[x] == index;
    };
    for (int y = 0; y <= kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) {
            if (shows(x, y - 1) != shows(x, y))
                lines.append(QLine(x, y, x + 1, y));
        }
    }
    for (int x = 0; x <= kSpriteSide; ++x) {
        for (int y = 0; y < kSpriteSide; ++y) {
            if (shows(x - 1, y) != shows(x, y))
                lines.append(QLine(x, y, x, y + 1));
        }
    }
    return lines;
}
