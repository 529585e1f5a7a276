#include "exchange/spritefiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include "exchange/picturecheck.h"

namespace {

// No picture the exchange accepts comes near this; larger files are not
// even read into memory.
constexpr qint64 kLargestPictureFile = 64 * 1024 * 1024;
// Decoding never allocates more than this (megabytes); Qt's own default is higher.
constexpr int kPictureAllocationLimit = 64;

QByteArray WriterFormatFor(const QString &fileName)
{
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (suffix.isEmpty() || !QImageWriter::supportedImageFormats().contains(suffix))
        return {};
    return suffix;
}

}  // namespace

bool IsRawSpriteFile(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(QLatin1String("bin"), Qt::CaseInsensitive) == 0;
}

bool WriteWholeFile(const QString &fileName, const QByteArray &bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool WritePictureFile(const QString &fileName, const QImage &image)
{
    const QByteArray format = WriterFormatFor(fileName);
    if (format.isEmpty() || image.isNull())
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, format);
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QImage ReadPictureFile(const QString &fileName, QSize largest)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Sequential files (pipes, devices) report no size; read at most the limit.
    if (!file.isSequential() && file.size() > kLargestPictureFile)
        return {};
    const QByteArray data = file.read(kLargestPictureFile + 1);
    if (data.size() > kLargestPictureFile || !PictureDataComplete(data))
        return {};

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kPictureAllocationLimit);
    const QSize announced = reader.size();
    if (announced.isValid() && (announced.width() > largest.width() || announced.height() > largest.height()))
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    if (image.width() > largest.width() || image.height() > largest.height())
        return {};
    return image;
}
