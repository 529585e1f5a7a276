#pragma once

#include "rom/cardata.h"
#include "rom/romfilewriter.h"
#include "rom/romimage.h"

// Saves data into the ROM image: patches the car areas and the checksum of
// image.fileBytes (PatchedImage) and writes the result to image.path
// (WriteRomFile). On success the image holds the bytes written and a fresh
// stamp; on failure it is unchanged. Does not look at the disk first: callers
// that care use CheckOnDisk.
SaveResult SaveCarData(RomImage &image, const CarData &data);
