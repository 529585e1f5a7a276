// A raw sprite file through the reader and the import: ReadSprites at offset 0
// cuts it into sprites exactly as the file's length says, the raw acceptance
// rules agree with the documented file sizes, and a one-file import of every
// scope either takes the file's sprites unchanged or changes nothing and names
// the file.

#include <cstdint>

#include "exchange/rawsprites.h"
#include "exchange/spriteimport.h"
#include "fuzzsupport.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"

namespace {

// Built once; every import works on its own (copy-on-write) copy.
const ExchangeData &blankData()
{
    static const ExchangeData data = [] {
    ExchangeData data;
    data.sprites = NormalizeCarData({}).sprites;
    for (int car = 0; car < kCarCount; ++car)
        data.offsets.append(QList<QPoint>(kSpritesPerCar, QPoint(1, -1)));
    data.palette = Palette(kColorsPerPalette, QColor(0, 0, 0));
    data.background = QColor(218, 218, 218);
    return data;
    }();
    return data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), static_cast<qsizetype>(size));
    const QString path = FuzzScratchPath(QStringLiteral("sprites.bin"));
    FuzzWriteFile(path, input);

    // The reader: 1152 bytes a sprite, 45 a car, at most 225 sprites.
    const SpriteTable table = ReadSprites(path, 0);
    const qint64 used = qMin<qint64>(size, kSpritesAreaSize);
    qint64 pixels = 0;
    FUZZ_CHECK(!table.isEmpty() && table.size() <= kCarCount);
    for (const QList<SpritePixels> &car : table) {
        FUZZ_CHECK(!car.isEmpty() && car.size() <= kSpritesPerCar);
        for (const SpritePixels &sprite : car) {
            FUZZ_CHECK(sprite.size() <= kPixelsPerSprite);
            for (int index : sprite)
                FUZZ_CHECK(index >= 0 && index <= 15);
            pixels += sprite.size();
        }
    }
    FUZZ_CHECK(pixels == 2 * used);
    if (size >= static_cast<size_t>(kBytesPerSprite))
        FUZZ_CHECK(PackPixels(table.first().first()) == input.left(kBytesPerSprite));

    // The acceptance rules are exactly the file sizes.
    FUZZ_CHECK(RawTableFits(table, ExchangeScope::Sprite) == (size == size_t(kBytesPerSprite)));
    FUZZ_CHECK(RawTableFits(table, ExchangeScope::Car) == (size == size_t(kSpritesPerCar * kBytesPerSprite)));
    FUZZ_CHECK(RawTableFits(table, ExchangeScope::AllCars) == (size >= size_t(kSpritesAreaSize)));
    FUZZ_CHECK(RawTableHasFirstSprite(table) == (size >= size_t(kBytesPerSprite)));

    // The import of one file in each scope, car 2 sprite 3 on show.
    for (const ExchangeScope scope : {ExchangeScope::Sprite, ExchangeScope::Car, ExchangeScope::AllCars}) {
        for (const bool separate : {false, true}) {
            ExchangeSelection selection;
            selection.scope = scope;
            selection.car = 1;
            selection.sprite = 2;
            selection.separateFiles = separate && scope == ExchangeScope::Sprite;
            ExchangeData data = blankData();
            const ExchangeData before = data;
            const QStringList errors = ProblemLines(ReadSpriteFiles(path, selection, data, MatchOptions{}));
            const bool fits = selection.separateFiles ? RawTableHasFirstSprite(table) : RawTableFits(table, scope);
            FUZZ_CHECK(errors.isEmpty() == fits);
            if (!fits) {
                // One line naming the file and why.
                FUZZ_CHECK(errors.size() == 1);
                FUZZ_CHECK(errors.first().startsWith(QStringLiteral("Cannot load file \"%1\": ").arg(path)));
                FUZZ_CHECK(data.sprites == before.sprites);
                continue;
            }
            FUZZ_CHECK(data.sprites.size() == kCarCount);
            if (scope == ExchangeScope::Sprite) {
                FUZZ_CHECK(data.sprites[1][2] == table[0][0]);
                FUZZ_CHECK(data.offsets[1][2] == QPoint(0, 0));
            } else if (scope == ExchangeScope::Car) {
                FUZZ_CHECK(data.sprites[1] == table[0]);
            } else {
                FUZZ_CHECK(data.sprites == table);
            }
        }
    }
    return 0;
}
