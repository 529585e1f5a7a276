#include "demorom.h"

#include <QSaveFile>
#include <QtEndian>

#include "rom/romwriter.h"

namespace {

// Writes text at offset, padded with blanks to width.
void putText(QByteArray &image, int offset, const char *text, int width)
{
    const QByteArray bytes = QByteArray(text).leftJustified(width, ' ', true);
    image.replace(offset, width, bytes);
}

void putLong(QByteArray &image, int offset, quint32 value)
{
    qToBigEndian(value, image.data() + offset);
}

} // namespace

QByteArray DemoRomImage()
{
    QByteArray image(kDemoRomSize, '\0');
    // 68000 vectors: stack at the top of work RAM, reset at 0x200.
    putLong(image, 0x000, 0x00FFFE00);
    putLong(image, 0x004, 0x00000200);
    // 0x200: "bra.s *", so that the cartridge idles if anything ever runs it.
    image[0x200] = char(0x60);
    image[0x201] = char(0xFE);

    putText(image, 0x100, "SEGA MEGA DRIVE", 16);
    putText(image, 0x110, "(C)SKMD 2026.JAN", 16);
    putText(image, 0x120, "SKIDMARCH DEMO", 48);
    putText(image, 0x150, "SKIDMARCH DEMO", 48);
    putText(image, 0x180, "GM 00000000-00", 14);
    putText(image, 0x190, "J", 16);                      // three-button pad
    putLong(image, 0x1A0, 0x00000000);                   // ROM start
    putLong(image, 0x1A4, kDemoRomSize - 1);             // ROM end
    putLong(image, 0x1A8, 0x00FF0000);                   // RAM start
    putLong(image, 0x1AC, 0x00FFFFFF);                   // RAM end
    putText(image, 0x1B0, "", 12);                       // no backup RAM
    putText(image, 0x1BC, "", 12);                       // no modem
    putText(image, 0x1C8, "Car data demo image", 40);
    putText(image, 0x1F0, "JUE", 16);
    return image;
}

bool WriteDemoRom(const QString &path, const CarData &data, QString *errorMessage)
{
    QSaveFile file(path);
    const QByteArray image = PatchedImage(DemoRomImage(), data);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit()) {
        if (errorMessage)
            *errorMessage = file.errorString();
        return false;
    }
    return true;
}
