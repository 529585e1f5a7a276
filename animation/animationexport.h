#pragma once

#include <optional>

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include "base/result.h"
#include "exchange/exchangedata.h"
#include "view/animationloop.h"

// An animated picture of one car as the view's animation plays it: one loop
// of the motion from a start pose, each frame the sprite the view shows (its
// pending offset applied, mirrored where the view mirrors it, the wheel
// colours exchanged on every other frame with wheel roll), scaled by a whole
// zoom factor, in the data's palette and colour model.

inline constexpr int kMinAnimationZoom = 1;
inline constexpr int kMaxAnimationZoom = 10;
inline constexpr int kDefaultAnimationDelayMs = 60;   // the view's own tick

struct AnimationSettings
{
    int car = 0;                 // 0-based
    AnimationPose start;         // the rotation of a tilt, the tilt of a turn
    AnimationMotion motion{true, false, false};
    int delayMs = kDefaultAnimationDelayMs;
    int zoom = 1;                // clamped to 1..10
    bool transparent = false;    // index 0 transparent instead of the background colour
};

// The delay a frame gets: delayMs rounded to hundredths of a second (halves
// up), at least 2 (0.02 s, the shortest delay players keep).
int AnimationDelayCentiseconds(int delayMs);

// The frames: Format_Indexed8 pictures of 48 * zoom pixels a side whose pixel
// values are the colour-table slots 0..15 of SpriteColorTable (wheels
// unturned: a turned frame has slots 4 and 5 exchanged), sharing that table;
// entry 0 is the background colour, or transparent (alpha 0) when asked.
QList<QImage> AnimationFramePictures(const ExchangeData &data, const AnimationSettings &settings);

enum class AnimationFormat { Gif, WebP };

// The format a name asks for by its suffix (any letter case): "gif" or
// "webp"; nothing for any other.
std::optional<AnimationFormat> AnimationFormatFor(const QString &fileName);

// The encoded file: GIF (one palette of the 16 colours, transparency when
// asked, looping forever) or lossless WebP, every frame showing for the
// rounded delay.
Result<QByteArray> EncodeAnimation(const ExchangeData &data, const AnimationSettings &settings, AnimationFormat format);

// Encodes by the suffix of path and writes the file through WriteOutputFile.
// A failure names the file and the reason (a suffix other than .gif or .webp
// included) and leaves the file as it was.
Result<void> WriteAnimationFile(const QString &path, const ExchangeData &data, const AnimationSettings &settings);
