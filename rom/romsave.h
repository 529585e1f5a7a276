#pragma once

#include "rom/cardata.h"
#include "rom/romfilewriter.h"
#include "rom/romimage.h"

// The file bytes a save would write: the plain image as opened with the car
// areas and the checksum patched (PatchedImage), interleaved again when the
// file is an .smd image (smdHeader not empty).
QByteArray SavedFileBytes(const QByteArray &plain, const QByteArray &smdHeader, const CarData &data);

// Saves data into the ROM image: image.fileBytes are plain bytes, patched and
// written to image.path (WriteRomFile). On success the image holds the bytes
// written and a fresh stamp; on failure it is unchanged, unless the file holds
// the new bytes all the same (a failed final sync of a complete write), which
// it then takes for its own. Does not look at the disk first: callers that
// care use CheckOnDisk.
Result<SaveMethod> SaveCarData(RomImage &image, const CarData &data);

// The same for an image whose file is interleaved: plain is what the car data
// is patched into, the file gets SavedFileBytes. On success plain holds the
// patched plain bytes too.
Result<SaveMethod> SaveCarData(RomImage &image, QByteArray &plain, const QByteArray &smdHeader, const CarData &data);
