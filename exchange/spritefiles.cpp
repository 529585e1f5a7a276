#include "exchange/spritefiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include "exchange/picturecheck.h"
#include "rom/nativepath.h"
#include "rom/outputfile.h"
#include "sys/sysfile.h"

#include <cerrno>

namespace {

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

Result<QByteArray> EncodePicture(const QString &fileName, const QImage &image)
{
    const auto fail = [&](const QString &why) { return Failure{fileName, why, 0, Failure::Action::Write}; };
    const QByteArray format = WriterFormatFor(fileName);
    if (format.isEmpty())
        return fail(QStringLiteral("no picture format for this file name"));
    if (image.isNull())
        return fail(QStringLiteral("no picture to write"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return fail(writer.errorString());
    return bytes;
}

Result<void> WritePictureFile(const QString &fileName, const QImage &image)
{
    const Result<QByteArray> bytes = EncodePicture(fileName, image);
    if (!bytes)
        return bytes.failure();
    return WriteOutputFile(fileName, *bytes);
}

QString NotRegularFileReason(const QString &fileName)
{
    sys::FileInfo info;
    if (const int error = sys::Stat(NativePath(fileName).constData(), &info))
        return QString::fromLocal8Bit(sys::ReasonText(error).c_str());
    return info.kind == sys::Kind::Regular ? QString() : QStringLiteral("not a regular file");
}

Result<QByteArray> ReadPictureBytes(sys::Handle descriptor, const QString &fileName)
{
    const auto fail = [&](const QString &why) { return Failure{fileName, why, 0, Failure::Action::Read}; };
    const auto reason = [](int error) { return QString::fromLocal8Bit(sys::ReasonText(error).c_str()); };
    sys::FileInfo info;
    if (const int error = sys::StatOpen(descriptor, &info))
        return fail(reason(error));
    if (info.kind != sys::Kind::Regular)
        return fail(QStringLiteral("not a regular file"));
    if (info.size > kLargestPictureFile)
        return fail(QStringLiteral("too large for a picture"));
    // Read to the end (at most one byte past the limit: a file that grew meanwhile is refused too).
    QByteArray data;
    int error = 0;
    while (data.size() <= kLargestPictureFile) {
        const qsizetype at = data.size();
        data.resize(qMin<qint64>(at + qMax<qint64>(info.size - at, 0) + 65536, kLargestPictureFile + 1));
        std::int64_t got = 0;
        error = sys::Read(descriptor, data.data() + at, data.size() - at, &got);
        data.truncate(at + (error == 0 ? got : 0));
        if (error != 0 || got == 0)
            break;
    }
    if (error != 0)
        return fail(reason(error));
    if (data.size() > kLargestPictureFile)
        return fail(QStringLiteral("too large for a picture"));
    if (data.isEmpty())
        return fail(QStringLiteral("the file is empty"));
    return data;
}

Result<QImage> ReadPictureFile(const QString &fileName, QSize largest, QSize *tooLargeSize)
{
    // Opened without blocking (a FIFO would block a plain open, and the
    // window, until someone writes to it), then the open file itself is
    // looked at, so nothing swapped in under the name gets read.
    sys::Handle descriptor = sys::kNoHandle;
    if (const int error = sys::Open(NativePath(fileName).constData(), sys::kReadOnly, &descriptor))
        return Failure{fileName, QString::fromLocal8Bit(sys::ReasonText(error).c_str()), 0, Failure::Action::Read};
    const Result<QByteArray> data = ReadPictureBytes(descriptor, fileName);
    sys::Close(descriptor);
    if (!data)
        return data.failure();
    return DecodePicture(fileName, *data, largest, tooLargeSize);
}

Result<QImage> DecodePicture(const QString &fileName, const QByteArray &data, QSize largest, QSize *tooLargeSize)
{
    const auto fail = [&](const QString &why) { return Failure{fileName, why, 0, Failure::Action::Read}; };
    if (data.isEmpty())
        return fail(QStringLiteral("the file is empty"));
    if (!PictureDataComplete(data))
        return fail(QStringLiteral("not a complete picture (cut off or damaged)"));

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kPictureAllocationLimit);
    const QSize announced = reader.size();
    const auto tooLarge = [&](QSize size) -> Failure {
        if (tooLargeSize)
            *tooLargeSize = size;
        return fail(QStringLiteral("the picture is %1 x %2 pixels, larger than %3 x %4")
                        .arg(size.width()).arg(size.height()).arg(largest.width()).arg(largest.height()));
    };
    if (announced.isValid() && (announced.width() > largest.width() || announced.height() > largest.height()))
        return tooLarge(announced);
    QImage image;
    if (!reader.read(&image))
        return fail(QStringLiteral("not a picture that can be read (%1)").arg(reader.errorString()));
    if (image.width() > largest.width() || image.height() > largest.height())
        return tooLarge(image.size());
    return image;
}
