#pragma once

// Writing car data into a ROM file the way the editor's save does, for the
// tests, benchmarks and fuzz targets that make ROM files to work on.

#include <QString>

#include "rom/cardata.h"
#include "rom/romimage.h"
#include "rom/romsave.h"

// The file at path as it is now (none: a new one), with data patched in and
// the checksum fixed, saved with SaveCarData. False with the reason in
// *errorMessage (if given) when it cannot be read or written.
inline bool WriteRom(const QString &path, const CarData &data, QString *errorMessage = nullptr)
{
    Result<RomImage> image = RomImage::Load(path);
    const QString error = image ? SaveCarData(*image, data).message() : image.message();
    if (errorMessage)
        *errorMessage = error;
    return error.isEmpty();
}
