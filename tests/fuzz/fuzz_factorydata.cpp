// The factory-data parser on arbitrary bytes: it never crashes, and whatever
// it accepts has the exact shapes and survives a round trip through the
// serializer. An input whose first byte is odd is laid over a well-formed
// uncompressed stream (where its next two bytes say; cutting the stream there
// when its first byte also has bit 1 set) and compressed, so that the fuzzer
// reaches the stream decoding behind the zlib frame without 2 MB inputs.

#include <cstdint>

#include "fuzzsupport.h"
#include "rom/factorydata.h"

namespace {

QByteArray wellFormedStream()
{
    CarData data = NormalizeCarData({});
    data.palettes.append(data.palettes.first());
    return qUncompress(SerializeFactoryData(data));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray input(reinterpret_cast<const char *>(bytes + 1), static_cast<qsizetype>(size - 1));
    if ((bytes[0] & 1) && size >= 3) {
        static const QByteArray stream = wellFormedStream();
        FUZZ_CHECK(stream.size() == kFactoryDataBytes);
        QByteArray laid = stream;
        const qsizetype at = (qsizetype((bytes[1] << 8) | bytes[2]) * stream.size()) >> 16;
        const QByteArray patch = input.mid(2);
        laid.replace(at, qMin(patch.size(), laid.size() - at), patch);
        if (bytes[0] & 2)
            laid.truncate(at + patch.size());
        input = qCompress(laid, 1);
    }

    const std::optional<CarData> parsed = ParseFactoryData(input);
    if (!parsed)
        return 0;
    FUZZ_CHECK(parsed->sprites.size() == kCarCount);
    for (const QList<SpritePixels> &car : parsed->sprites) {
        FUZZ_CHECK(car.size() == kSpritesPerCar);
        for (const SpritePixels &sprite : car) {
            FUZZ_CHECK(sprite.size() == kPixelsPerSprite);
            for (int index : sprite)
                FUZZ_CHECK(index >= 0 && index <= 15);
        }
    }
    FUZZ_CHECK(parsed->palettes.size() == kEditorPaletteCount);
    for (const Palette &palette : parsed->palettes)
        FUZZ_CHECK(palette.size() == kColorsPerPalette);
    FUZZ_CHECK(parsed->characteristics.size() == kCarCount);
    for (const QByteArray &row : parsed->characteristics)
        FUZZ_CHECK(row.size() == kCharacteristicCount);
    FUZZ_CHECK(parsed->weapons.size() == kCarCount);
    for (const QByteArray &row : parsed->weapons)
        FUZZ_CHECK(row.size() == kWeaponSlotCount);

    const std::optional<CarData> again = ParseFactoryData(SerializeFactoryData(*parsed));
    // Colours compare by their 8-bit channels: the editor keeps no more, and
    // the parser takes 16-bit channels that are not exact multiples of 257.
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->sprites == parsed->sprites);
    for (qsizetype p = 0; p < parsed->palettes.size(); ++p)
        for (qsizetype i = 0; i < kColorsPerPalette; ++i)
            FUZZ_CHECK(again->palettes[p][i].rgba() == parsed->palettes[p][i].rgba());
    FUZZ_CHECK(again->characteristics == parsed->characteristics);
    FUZZ_CHECK(again->weapons == parsed->weapons);
    return 0;
}
