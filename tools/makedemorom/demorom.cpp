#include "demorom.h"

#include <QSaveFile>
#include <QtEndian>

#include "cartridge/cartridgeprogram.h"
#include "rom/romwriter.h"

QByteArray DemoRomImage()
{
    const QByteArray program = CartridgeProgram();
    // The linker already refuses a program that reaches the weapons area;
    // this keeps the two layouts from drifting apart unnoticed.
    Q_ASSERT(program.size() <= kWeaponsOffset);
    QByteArray image(kDemoRomSize, '\0');
    image.replace(0, program.size(), program);
    qToBigEndian(quint32(kDemoRomSize - 1), image.data() + 0x1A4);   // header: last byte of the ROM
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
