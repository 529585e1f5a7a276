#include "rom/romsave.h"

#include <QFile>

#include "rom/romwriter.h"
#include "rom/smdformat.h"

QByteArray SavedFileBytes(const QByteArray &plain, const QByteArray &smdHeader, const CarData &data)
{
    const QByteArray patched = PatchedImage(plain, data);
    return smdHeader.isEmpty() ? patched : InterleaveSmd(smdHeader, patched);
}

namespace {

bool FileHolds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential() || file.size() != bytes.size())
        return false;
    return file.readAll() == bytes;
}

} // namespace

Result<SaveMethod> SaveCarData(RomImage &image, const CarData &data)
{
    // A plain image: the file bytes are what the car data is patched into.
    QByteArray plain = image.fileBytes;
    return SaveCarData(image, plain, {}, data);
}

Result<SaveMethod> SaveCarData(RomImage &image, QByteArray &plain, const QByteArray &smdHeader, const CarData &data)
{
    const QByteArray patched = PatchedImage(plain, data);
    const QByteArray fileBytes = smdHeader.isEmpty() ? patched : InterleaveSmd(smdHeader, patched);
    const Result<SaveMethod> result = WriteRomFile(image.path, fileBytes);
    // Also after a failure that left these bytes in the file whole (the final
    // sync failed): the next save must not take them for another program's.
    if (result.ok() || FileHolds(image.path, fileBytes)) {
        image.fileBytes = fileBytes;
        image.stamp = StampFile(image.path, fileBytes);
        plain = patched;
    }
    return result;
}
