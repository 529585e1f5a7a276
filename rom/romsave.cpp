#include "rom/romsave.h"

#include "rom/romwriter.h"
#include "rom/smdformat.h"

QByteArray SavedFileBytes(const QByteArray &plain, const QByteArray &smdHeader, const CarData &data)
{
    const QByteArray patched = PatchedImage(plain, data);
    return smdHeader.isEmpty() ? patched : InterleaveSmd(smdHeader, patched);
}

SaveResult SaveCarData(RomImage &image, const CarData &data)
{
    // A plain image: the file bytes are what the car data is patched into.
    QByteArray plain = image.fileBytes;
    return SaveCarData(image, plain, {}, data);
}

SaveResult SaveCarData(RomImage &image, QByteArray &plain, const QByteArray &smdHeader, const CarData &data)
{
    const QByteArray patched = PatchedImage(plain, data);
    const QByteArray fileBytes = smdHeader.isEmpty() ? patched : InterleaveSmd(smdHeader, patched);
    const SaveResult result = WriteRomFile(image.path, fileBytes);
    // Also after a failed final sync of a complete write: the file holds these
    // bytes, and the next save must not take them for another program's.
    if (result.ok || result.bytesWritten) {
        image.fileBytes = fileBytes;
        image.stamp = StampFile(image.path, fileBytes);
        plain = patched;
    }
    return result;
}
