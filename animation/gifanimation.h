#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

#include "base/result.h"

// An animated GIF (GIF89a) of 8-bit indexed frames, encoded with giflib.
// Every frame must be Format_Indexed8, all of one size, and the first frame's
// colour table (at most 256 entries) is the file's one global palette, padded
// with black to a power of two. The first entry with alpha 0, if any, is the
// transparent index: a frame's transparent pixels show nothing of the frame
// before (each frame is cleared before the next). Every frame shows for
// delayCentiseconds; the animation loops forever. A failure names the reason
// (no file: the caller writes the bytes).
Result<QByteArray> EncodeGifAnimation(const QList<QImage> &frames, int delayCentiseconds);
