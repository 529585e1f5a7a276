// A ROM image through ReadRom and back through WriteRom: the save keeps every
// byte outside the four car-data areas and the checksum, stores the right
// checksum, reads back as the same data, and a second save changes nothing.
//
// Each input is tried twice: as the whole image (short and odd files), and
// placed into a cartridge-sized image across the start of every area, so that
// the fuzzer's bytes reach the areas without megabyte inputs.

#include <cstdint>

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

bool written(qint64 i)
{
    for (const Area &area : kAreas)
        if (i >= area.offset && i < area.offset + area.size)
            return true;
    return false;
}

void roundTrip(const QByteArray &image)
{
    const QString path = FuzzScratchPath(QStringLiteral("rom.bin"));
    FuzzWriteFile(path, image);

    const CarData data = ReadRom(path);
    FUZZ_CHECK(data == NormalizeCarData(data));
    QString error;
    FUZZ_CHECK(WriteRom(path, data, &error));

    const QByteArray saved = FuzzReadFile(path);
    FUZZ_CHECK(saved.size() == qMax<qint64>(image.size(), kSpritesAreaEnd));
    for (qint64 i = 0; i < saved.size(); ++i)
        if (!written(i))
            FUZZ_CHECK(saved.at(i) == (i < image.size() ? image.at(i) : '\0'));
    const quint16 sum = RomChecksum(saved);
    FUZZ_CHECK(static_cast<unsigned char>(saved.at(kChecksumOffset)) == (sum >> 8));
    FUZZ_CHECK(static_cast<unsigned char>(saved.at(kChecksumOffset + 1)) == (sum & 0xFF));

    FUZZ_CHECK(ReadRom(path) == data);
    FUZZ_CHECK(WriteRom(path, data));
    FUZZ_CHECK(FuzzReadFile(path) == saved);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), static_cast<qsizetype>(size));
    roundTrip(input);

    // The same bytes placed 16 bytes before every area and over the header, in
    // an image whose length the first byte varies around the end of the sprites.
    if (size > 0 && size <= 8192) {
        const qint64 length = kSpritesAreaEnd - 2048 + 17 * qint64(bytes[0]);
        QByteArray image(length, '\0');
        for (const qint64 at : {qint64(0x100), kWeaponsOffset - 16, kPalettesOffset - 16,
                                kCharacteristicsOffset - 16, kSpritesOffset - 16, kSpritesAreaEnd - 4096})
            image.replace(at, qMin<qint64>(size, length - at), input.left(length - at));
        roundTrip(image);
    }
    return 0;
}
