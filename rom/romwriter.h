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

// The 16-bit big-endian word sum from 0x200 to the end of the image (an odd
// last byte is a high byte); 0 for images of 0x200 bytes or less.
quint16 RomChecksum(const QByteArray &image);
