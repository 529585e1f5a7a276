#include "exchange/spritefiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include "exchange/picturecheck.h"
#include "rom/outputfile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const auto fail = [&](const QString &why) { return Failure{fileName, why, 0, QStringLiteral("write")}; };
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
    struct stat info {};
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return S_ISREG(info.st_mode) ? QString() : QStringLiteral("not a regular file");
}

Result<QByteArray> ReadPictureBytes(int descriptor, const QString &fileName)
{
    const auto fail = [&](const QString &why) { return Failure{fileName, why, 0, QStringLiteral("read")}; };
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(info.st_mode))
        return fail(QStringLiteral("not a regular file"));
    if (info.st_size > kLargestPictureFile)
        return fail(QStringLiteral("too large for a picture"));
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    // Read up to one byte more than allowed: a file that grew meanwhile is refused too.
    QByteArray data(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got <= kLargestPictureFile) {
        if (got == data.size())
            data.resize(qMin<qsizetype>(data.size() * 2, kLargestPictureFile + 1));
        const ssize_t n = ::pread(descriptor, data.data() + got, size_t(data.size() - got), off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(QString::fromLocal8Bit(std::strerror(errno)));
        if (n == 0)
            break;
        got += n;
    }
    if (got > kLargestPictureFile)
        return fail(QStringLiteral("too large for a picture"));
    data.truncate(got);
    if (data.isEmpty())
        return fail(QStringLiteral("the file is empty"));
    return data;
}

Result<QImage> ReadPictureFile(const QString &fileName, QSize largest, QSize *tooLargeSize)
{
    // Opened without blocking (a FIFO would block a plain open, and the
    // window, until someone writes to it), then the open file itself is
    // looked at, so nothing swapped in under the name gets read.
    const int descriptor = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return Failure{fileName, QString::fromLocal8Bit(std::strerror(errno)), 0, QStringLiteral("read")};
    const Result<QByteArray> data = ReadPictureBytes(descriptor, fileName);
    ::close(descriptor);
    if (!data)
        return data.failure();
    return DecodePicture(fileName, *data, largest, tooLargeSize);
}

Result<QImage> DecodePicture(const QString &fileName, const QByteArray &data, QSize largest, QSize *tooLargeSize)
{
    const auto fail = [&](const QString &why) { return Failure{fileName, why, 0, QStringLiteral("read")}; };
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
