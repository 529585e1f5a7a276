// fuzz_makecorpus DIR: writes the seed corpus of the fuzz targets into
// DIR/<target>/: short ROM-like images, raw sprite files, factory-data
// fragments, small pictures in every format the import reads and palette
// files in every format.

#include <cstdio>

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include "document/documentdelta.h"
#include "palette/palettefiles.h"
#include "recovery/recoveryfile.h"
#include "rom/colorword.h"
#include "rom/factorydata.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"

namespace {

bool put(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(dir);
    QFile file(dir + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A car-like blob in the import palette's colours on the editor's background.
QImage drawing(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(DefaultBackgroundColor());
    const Palette palette = ImportExportPalette();
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette[5]);
    painter.drawRoundedRect(QRectF(width * 0.3, height * 0.1, width * 0.4, height * 0.8), 3, 3);
    painter.setBrush(palette[15]);
    painter.drawRect(QRectF(width * 0.45, height * 0.1, width * 0.1, height * 0.8));
    painter.setBrush(palette[13]);
    painter.drawEllipse(QRectF(width * 0.2, height * 0.2, width * 0.15, height * 0.2));
    return image;
}

// The changes of a recovery file from blank tables to tables changed by change.
template <typename Change>
QByteArray recoveryChanges(Change change)
{
    DocumentTables tables;
    tables.sprites = SpriteTable(kCarCount, QList<SpritePixels>(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 0)));
    tables.palettes = PaletteTable(kEditorPaletteCount, Palette(kColorsPerPalette, QColor(0, 0, 0)));
    tables.characteristics = CharacteristicsTable(kCarCount, QByteArray(kCharacteristicCount, '\0'));
    tables.weapons = WeaponTable(kCarCount, QByteArray(kWeaponSlotCount, '\0'));
    tables.offsets = ZeroOffsetsFor(tables.sprites);
    DocumentTables after = tables;
    change(after);
    return DocumentDelta::Between(tables, after).afterBytes();
}

QByteArray recoveryFile(const QByteArray &changes)
{
    RecoveryRecord record;
    record.romPath = QStringLiteral("/home/user/game.bin");
    record.rom.size = 1 << 20;
    record.rom.hash = QByteArray(32, '\x5A');
    record.rom.device = 2049;
    record.rom.inode = 131;
    record.written = QDateTime::fromMSecsSinceEpoch(1700000000000, Qt::UTC);
    record.ownerPid = 4711;
    record.ownerId = QStringLiteral("4711.1");
    record.changes = changes;
    return EncodeRecoveryFile(record);
}

QByteArray romLike(int size)
{
    QByteArray image(size, '\0');
    image.replace(0x100, 16, "SEGA MEGA DRIVE ");
    image.replace(0x150, 14, "SKIDMARCH TEST");
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_makecorpus DIR\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = true;

    // ROM images: empty, header only, odd length past the checksum start, and
    // a short block that the target also lays over every area.
    const QString rom = root + QStringLiteral("/fuzz_rom");
    ok &= put(rom, QStringLiteral("empty"), {});
    ok &= put(rom, QStringLiteral("header"), romLike(0x200));
    ok &= put(rom, QStringLiteral("odd-length"), romLike(0x203));
    QByteArray block(96, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 29 + 3);
    block[block.size() - 1] = '\x2B';   // odd: laid over the areas
    ok &= put(rom, QStringLiteral("area-block"), block);

    // Interleaved images: one whole block (its plain image has a header), the
    // same cut inside its block, and a body of one byte.
    const QString smd = root + QStringLiteral("/fuzz_smd");
    QByteArray smdHeader(kSmdHeaderSize, '\0');
    smdHeader[0] = 1;
    smdHeader[1] = 0x03;
    smdHeader[8] = static_cast<char>(0xAA);
    smdHeader[9] = static_cast<char>(0xBB);
    const QByteArray smdBlock = InterleaveSmd(smdHeader, romLike(kSmdBlockSize));
    ok &= put(smd, QStringLiteral("one-block"), smdBlock);
    ok &= put(smd, QStringLiteral("cut-block"), smdBlock.left(kSmdHeaderSize + 9000));
    ok &= put(smd, QStringLiteral("one-byte-body"), smdHeader + QByteArray(1, '\x11'));

    // Raw sprites: one sprite, one byte too many, half a sprite.
    const QString raw = root + QStringLiteral("/fuzz_rawsprites");
    SpritePixels pixels(kPixelsPerSprite);
    for (int n = 0; n < kPixelsPerSprite; ++n)
        pixels[n] = (n / 7 + n / 192) & 0x0F;
    const QByteArray sprite = PackPixels(pixels);
    ok &= put(raw, QStringLiteral("one-sprite"), sprite);
    ok &= put(raw, QStringLiteral("one-sprite-and-a-byte"), sprite + QByteArray(1, '\x5A'));
    ok &= put(raw, QStringLiteral("half-sprite"), sprite.left(kBytesPerSprite / 2));

    // Factory data: a small frame as it is, and stream fragments laid over a
    // well-formed stream at its start, at the palettes and at its end.
    const QString factory = root + QStringLiteral("/fuzz_factorydata");
    ok &= put(factory, QStringLiteral("frame"), QByteArray(1, '\0') + qCompress(QByteArray("not factory data")));
    CarData data = NormalizeCarData({});
    data.palettes.append(ImportExportPalette());
    const QByteArray stream = qUncompress(SerializeFactoryData(data));
    ok &= put(factory, QStringLiteral("stream-start"), QByteArray("\x01\x00\x00", 3) + stream.left(64));
    const qsizetype palettes = kFactorySpritesBytes;
    const quint16 at = static_cast<quint16>((qint64(palettes) << 16) / stream.size() + 1);
    const qsizetype laid = (qsizetype(at) * stream.size()) >> 16;
    ok &= put(factory, QStringLiteral("stream-palettes"),
              QByteArray(1, '\x01') + char(at >> 8) + char(at & 0xFF) + stream.mid(laid, 80));
    ok &= put(factory, QStringLiteral("stream-end-cut"), QByteArray("\x03\xff\xf0", 3) + stream.right(40));

    // Pictures: a sprite in every format the import reads, a small one, and
    // a GIF (Qt writes none; this one is written out by hand).
    const QString pictures = root + QStringLiteral("/fuzz_picture");
    const QImage sprite48 = drawing(48, 48);
    ok &= put(pictures, QStringLiteral("sprite.png"), encoded(sprite48, "PNG"));
    ok &= put(pictures, QStringLiteral("sprite.bmp"),
              encoded(sprite48.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither), "BMP"));
    ok &= put(pictures, QStringLiteral("sprite.jpg"), encoded(sprite48, "JPEG"));
    ok &= put(pictures, QStringLiteral("small.bmp"), encoded(drawing(6, 5), "BMP"));
    ok &= put(pictures, QStringLiteral("small.png"),
              encoded(drawing(7, 3).convertToFormat(QImage::Format_ARGB32), "PNG"));
    ok &= put(pictures, QStringLiteral("pixel.gif"),
              QByteArray::fromHex("47494638396101000100800000000000ffffff21f90401000000002c00000000"
                                  "010001000002024401003b"));
    // Palette files: the import palette in every format, and a short GIMP
    // palette with comments, names and CR LF line ends.
    const QString paletteFiles = root + QStringLiteral("/fuzz_palettefile");
    const Palette importPalette = ImportExportPalette();
    ok &= put(paletteFiles, QStringLiteral("palette.gpl"),
              PaletteFileBytes(PaletteFileFormat::Gimp, importPalette, QStringLiteral("Import")));
    ok &= put(paletteFiles, QStringLiteral("palette.pal"), PaletteFileBytes(PaletteFileFormat::Jasc, importPalette));
    ok &= put(paletteFiles, QStringLiteral("palette.act"), PaletteFileBytes(PaletteFileFormat::Act, importPalette));
    ok &= put(paletteFiles, QStringLiteral("palette.bin"), PaletteFileBytes(PaletteFileFormat::Words, importPalette));
    ok &= put(paletteFiles, QStringLiteral("short.gpl"),
              QByteArray("GIMP Palette\r\nName: short\r\nColumns: 2\r\n# comment\r\n255 0 0\tRed\r\n0 0 255 Blue\r\n"));
    // Recovery files: one change of each kind, as a whole file and as the
    // changes alone (the target takes its input both ways).
    const QString recovery = root + QStringLiteral("/fuzz_recovery");
    const QList<QPair<QString, QByteArray>> changes = {
        {QStringLiteral("offsets"), recoveryChanges([](DocumentTables &t) {
             t.offsets[1][7] = QPoint(-48, 12);
             t.offsets[4][44] = QPoint(3, 48);
         })},
        {QStringLiteral("palette"), recoveryChanges([](DocumentTables &t) { t.palettes[2][3] = QColor(36, 72, 108); })},
        {QStringLiteral("sprite"), recoveryChanges([](DocumentTables &t) { t.sprites[0][0][100] = 15; })},
        {QStringLiteral("equipment"), recoveryChanges([](DocumentTables &t) {
             t.characteristics[2][0] = 'x';
             t.weapons[3][1] = 2;
         })},
    };
    for (const auto &[name, bytes] : changes) {
        ok &= put(recovery, name + QStringLiteral(".skmrecovery"), recoveryFile(bytes));
        ok &= put(recovery, name + QStringLiteral(".changes"), bytes);
    }

    if (!ok) {
        std::fprintf(stderr, "fuzz_makecorpus: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
