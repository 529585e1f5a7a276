#include "animation/animationexport.h"

#include <algorithm>
#include <cstring>

#include <QFileInfo>

#include "animation/gifanimation.h"
#include "animation/webpanimation.h"
#include "rom/outputfile.h"
#include "view/spritecomposer.h"

namespace {

// Every pixel of an 8-bit picture repeated zoom times across and down.
QImage ZoomIndexed(const QImage &image, int zoom)
{
    if (zoom == 1)
        return image;
    QImage zoomed(image.width() * zoom, image.height() * zoom, QImage::Format_Indexed8);
    for (int y = 0; y < image.height(); ++y) {
        const uchar *source = image.constScanLine(y);
        uchar *first = zoomed.scanLine(y * zoom);
        for (int x = 0; x < image.width(); ++x)
            std::memset(first + x * zoom, source[x], size_t(zoom));
        for (int copy = 1; copy < zoom; ++copy)
            std::memcpy(zoomed.scanLine(y * zoom + copy), first, size_t(zoomed.width()));
    }
    return zoomed;
}

} // namespace

int AnimationDelayCentiseconds(int delayMs)
{
    return std::max(2, (std::max(0, delayMs) + 5) / 10);
}

QList<QImage> AnimationFramePictures(const ExchangeData &data, const AnimationSettings &settings)
{
    QList<QRgb> table = SpriteColorTable(data.palette, data.background, false, data.colors);
    if (settings.transparent)
        table[0] = qRgba(qRed(table[0]), qGreen(table[0]), qBlue(table[0]), 0);
    const int zoom = std::clamp(settings.zoom, kMinAnimationZoom, kMaxAnimationZoom);
    const bool hasCar = settings.car >= 0 && settings.car < data.sprites.size();

    QList<QImage> pictures;
    for (const AnimationFrame &frame : AnimationLoop(settings.start, settings.motion)) {
        const int sprite = frame.view.spriteNumber - 1;
        const SpritePixels *pixels = hasCar && sprite >= 0 && sprite < data.sprites[settings.car].size()
            ? &data.sprites[settings.car][sprite]
            : nullptr;
        QImage picture = ZoomIndexed(ComposeSpriteSlots(pixels, OffsetOf(data.offsets, settings.car, sprite),
                                                        frame.view.mirrored, frame.pose.wheelsTurned),
                                     zoom);
        picture.setColorTable(table);
        pictures.append(picture);
    }
    return pictures;
}

std::optional<AnimationFormat> AnimationFormatFor(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("gif"))
        return AnimationFormat::Gif;
    if (suffix == QLatin1String("webp"))
        return AnimationFormat::WebP;
    return std::nullopt;
}

Result<QByteArray> EncodeAnimation(const ExchangeData &data, const AnimationSettings &settings, AnimationFormat format)
{
    const QList<QImage> frames = AnimationFramePictures(data, settings);
    const int centiseconds = AnimationDelayCentiseconds(settings.delayMs);
    return format == AnimationFormat::Gif ? EncodeGifAnimation(frames, centiseconds)
                                          : EncodeWebPAnimation(frames, centiseconds * 10);
}

Result<void> WriteAnimationFile(const QString &path, const ExchangeData &data, const AnimationSettings &settings)
{
    const std::optional<AnimationFormat> format = AnimationFormatFor(path);
    if (!format)
        return Failure{path, QStringLiteral("animations are written as .gif or .webp files"), 0, Failure::Action::Write};
    Result<QByteArray> bytes = EncodeAnimation(data, settings, *format);
    if (!bytes) {
        Failure failure = bytes.failure();
        failure.file = path;
        return failure;
    }
    return WriteOutputFile(path, *bytes);
}
