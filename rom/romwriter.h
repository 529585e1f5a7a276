#pragma once

#include <QByteArray>
#include <QString>

#include "rom/cardata.h"

// Two indices per byte, high nibble first; only the low 4 bits of each index
// are kept; an odd last index is dropped.
QByteArray PackPixels(const SpritePixels &pixels);

// Writes the (normalised) car data into the ROM image at path and fixes the
// header checksum. The file is read whole, patched in memory and replaced in
// one step, so a failed save leaves it as it was. Every byte outside the four
// areas and the checksum keeps its value; a short file grows, a missing one is
// created. Returns whether the file was written; on failure *errorMessage (if
// given) says why.
bool WriteRom(const QString &path, CarData data, QString *errorMessage = nullptr);

// The 16-bit big-endian word sum from 0x200 to the end of the image (an odd
// last byte is a high byte); 0 for images of 0x200 bytes or less.
quint16 RomChecksum(const QByteArray &image);

// Recomputes the header checksum of the file at path and stores it at 0x18E
// when it differs. Returns the sum, or -1 when the file can't be opened.
int FixRomChecksum(const QString &path);
