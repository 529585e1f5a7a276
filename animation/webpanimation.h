#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

#include "base/result.h"

// A lossless animated WebP through libwebp's animation encoder. Frames of any
// format (converted to 32-bit ARGB), all of one size; each shows for delayMs
// milliseconds and the animation loops forever. The encoder may join a frame
// that repeats the one before into that frame (the time adds up), so a file
// can hold fewer frames than were given. A failure names the reason.
Result<QByteArray> EncodeWebPAnimation(const QList<QImage> &frames, int delayMs);
