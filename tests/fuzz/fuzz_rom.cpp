// A ROM image through ReadRom and back through WriteRom: the save keeps every
// byte outside the four car-data areas and the checksum, stores the right
// checksum, reads back as the same data, and a second save changes nothing.
//
// An input is either the whole image (short and odd files), or, when its last
// byte is odd, placed into a cartridge-sized image across the start of every
// area, so that the fuzzer's bytes reach the areas without megabyte inputs.

#include <cstdint>

#include "common/romfiles.h"
#include "fuzzsupport.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"

namespace {

struct Area
{
    qint64 offset;
    qint64 size;
};

constexpr Area kAreas[] = {
    {kWeaponsOffset, kWeaponsAreaSize},
    {kPalettesOffset, kPalettesAreaSize},
    {kCharacteristicsOffset, kCharacteristicsAreaSize},
    {kSpritesOffset, kSpritesAreaSize},
    {kChecksumOffset, 2},
};

// Whether saved equals the original image (zeros past its end) everywhere
// outside the areas.
bool keptOutsideAreas(const QByteArray &image, const QByteArray &saved)
{
    QByteArray expected = image;
    expected.append(QByteArray(saved.size() - image.size(), '\0'));
    QByteArray got = saved;
    for (const Area &area : kAreas) {
        expected.replace(area.offset, area.size, QByteArray(area.size, '\0'));
        got.replace(area.offset, area.size, QByteArray(area.size, '\0'));
    }
    return got == expected;
}

void roundTrip(const QByteArray &image)
{
    const QString path = FuzzScratchPath(QStringLiteral("rom.bin"));
    FuzzWriteFile(path, image);

    const CarData data = ReadRom(path);
    FUZZ_CHECK(data == NormalizeCarData(data));
    FUZZ_CHECK(CarDataFromImage(image) == data);
    const QByteArray patched = PatchedImage(image, data);
    QString error;
    FUZZ_CHECK(WriteRom(path, data, &error));

    const QByteArray saved = FuzzReadFile(path);
    FUZZ_CHECK(saved == patched);
    FUZZ_CHECK(saved.size() == qMax<qint64>(image.size(), kSpritesAreaEnd));
    FUZZ_CHECK(keptOutsideAreas(image, saved));
    const quint16 sum = RomChecksum(saved);
    FUZZ_CHECK(static_cast<unsigned char>(saved.at(kChecksumOffset)) == (sum >> 8));
    FUZZ_CHECK(static_cast<unsigned char>(saved.at(kChecksumOffset + 1)) == (sum & 0xFF));

    FUZZ_CHECK(ReadRom(path) == data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), static_cast<qsizetype>(size));
    if (size == 0 || size > 8192 || !(bytes[size - 1] & 1)) {
        roundTrip(input);
        return 0;
    }

    // The bytes placed 16 bytes before every area and over the header, in an
    // image whose length the first byte varies around the end of the sprites.
    const qint64 length = kSpritesAreaEnd - 2048 + 17 * qint64(bytes[0]);
    QByteArray image(length, '\0');
    for (const qint64 at : {qint64(0x100), kWeaponsOffset - 16, kPalettesOffset - 16, kCharacteristicsOffset - 16,
                            kSpritesOffset - 16, kSpritesAreaEnd - 4096})
        image.replace(at, qMin<qint64>(size, length - at), input.left(length - at));
    roundTrip(image);
    return 0;
}
