#include "rom/romsave.h"

#include "rom/romwriter.h"

SaveResult SaveCarData(RomImage &image, const CarData &data)
{
    const QByteArray patched = PatchedImage(image.fileBytes, data);
    const SaveResult result = WriteRomFile(image.path, patched);
    if (result.ok) {
        image.fileBytes = patched;
        image.stamp = StampFile(image.path, patched);
    }
    return result;
}
