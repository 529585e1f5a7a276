#pragma once

#include <QByteArray>
#include <QString>

#include "rom/cardata.h"

// Two indices per byte, high nibble first; only the low 4 bits of each index
// are kept; an odd last index is dropped.
QByteArray PackPixels(const SpritePixels &pixels);

// The image with the (normalised) car data written into its four areas and
// the header checksum fixed. Every other byte keeps its value; an image that
// ends before the sprite area's end grows with zero bytes up to there.
QByteArray PatchedImage(QByteArray plainBytes, const CarData &data);

// Writes the car data into the ROM file at path: the file as it is now,
// patched (PatchedImage) and written with WriteRomFile, so a failed save
// leaves it as it was (or, written in place, holding only whole changed
// bytes). A missing file is created. Returns whether the file was written; on
// failure *errorMessage (if given) names the file and the reason.
bool WriteRom(const QString &path, CarData data, QString *errorMessage = nullptr);

// The 16-bit big-endian word sum from 0x200 to the end of the image (an odd
// last byte is a high byte); 0 for images of 0x200 bytes or less.
quint16 RomChecksum(const QByteArray &image);

// Recomputes the header checksum of the file at path and stores it at 0x18E
// when it differs. Returns the sum, or -1 when the file can't be opened.
int FixRomChecksum(const QString &path);
