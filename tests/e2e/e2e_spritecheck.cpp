// e2e_spritecheck ROM PICTURE: checks that PICTURE shows sprite 1 of car 1 of
// the ROM exactly as the view composes it in palette 0 ("Blue") on the
// editor's default background, unmoved and unmirrored.
// e2e_spritecheck --make-rom ROM: writes a small test ROM with a drawn car,
// for builds without the demo ROM tool.

#include <cstdio>

#include <QColor>
#include <QImage>
#include <QString>

#include "common/romfiles.h"
#include "rom/colorword.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"
#include "view/spritecomposer.h"

namespace {

int makeRom(const QString &path)
{
    CarData data;
    SpritePixels pixels(kPixelsPerSprite, 0);
    // A filled disc with a stripe: enough colours and shape to tell pictures apart.
    for (int n = 0; n < kPixelsPerSprite; ++n) {
        const int strip = n / 192, r = n % 192;
        const int x = 8 * (strip % 6) + r % 8, y = 24 * (strip / 6) + r / 8;
        const int dx = x - 24, dy = y - 24;
        if (dx * dx + dy * dy < 18 * 18)
            pixels[n] = (x / 6) % 2 ? 1 + (y % 15) : 11;
    }
    data.sprites = {{pixels}};
    Palette palette;
    for (int i = 0; i < kColorsPerPalette; ++i)
        palette.append(ColorFromWord16(static_cast<unsigned short>(((i & 7) << 9) | ((7 - (i & 7)) << 5) | ((i >> 1) << 1))));
    data.palettes = {palette};
    QString error;
    if (!WriteRom(path, data, &error)) {
        std::fprintf(stderr, "e2e_spritecheck: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

int check(const QString &romPath, const QString &picturePath)
{
    const CarData rom = ReadRom(romPath);
    const QImage expected = ComposeSpriteImage(&rom.sprites[0][0], rom.palettes[0], QColor(218, 218, 218),
                                               QPoint(0, 0), false, false)
                                .convertToFormat(QImage::Format_RGB32);
    const QImage written(picturePath);
    if (written.isNull()) {
        std::fprintf(stderr, "e2e_spritecheck: cannot read %s\n", qPrintable(picturePath));
        return 1;
    }
    const QImage actual = written.convertToFormat(QImage::Format_RGB32);
    if (actual.size() != expected.size()) {
        std::fprintf(stderr, "e2e_spritecheck: %s is %dx%d, expected %dx%d\n", qPrintable(picturePath),
                     actual.width(), actual.height(), expected.width(), expected.height());
        return 1;
    }
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                if (differing++ < 5)
                    std::fprintf(stderr, "e2e_spritecheck: pixel (%d, %d) is #%06x, expected #%06x\n", x, y,
                                 actual.pixel(x, y) & 0xFFFFFF, expected.pixel(x, y) & 0xFFFFFF);
            }
    if (differing) {
        std::fprintf(stderr, "e2e_spritecheck: %d of %d pixels differ\n", differing,
                     expected.width() * expected.height());
        return 1;
    }
    std::printf("sprite.bmp matches the composed sprite (%dx%d)\n", expected.width(), expected.height());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--make-rom"))
        return makeRom(QString::fromLocal8Bit(argv[2]));
    if (argc == 3)
        return check(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: e2e_spritecheck ROM PICTURE | --make-rom ROM\n");
    return 2;
}
