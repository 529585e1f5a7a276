#include "animation/webpanimation.h"

#include <cstring>
#include <memory>

#include <webp/encode.h>
#include <webp/mux.h>

namespace {

// How hard the lossless encoder works, 0 (fastest) to 9; the sprites' few
// colours compress well at once.
constexpr int kLosslessEffort = 1;

Failure WebPFailure(const QString &why)
{
    return Failure{{}, why, 0, Failure::Action::Write};
}

struct EncoderDeleter
{
    void operator()(WebPAnimEncoder *encoder) const { WebPAnimEncoderDelete(encoder); }
};

struct PictureFreer
{
    WebPPicture *picture;
    ~PictureFreer() { WebPPictureFree(picture); }
};

QString EncoderError(WebPAnimEncoder *encoder)
{
    const char *text = WebPAnimEncoderGetError(encoder);
    return QStringLiteral("WebP encoder: %1").arg(QString::fromLatin1(text && *text ? text : "unknown error"));
}

} // namespace

Result<QByteArray> EncodeWebPAnimation(const QList<QImage> &frames, int delayMs)
{
    if (frames.isEmpty())
        return WebPFailure(QStringLiteral("no frames to write"));
    const QSize size = frames.first().size();
    for (const QImage &frame : frames) {
        if (frame.size() != size || size.isEmpty())
            return WebPFailure(QStringLiteral("the frames are not pictures of one size"));
    }
    if (size.width() > WEBP_MAX_DIMENSION || size.height() > WEBP_MAX_DIMENSION)
        return WebPFailure(QStringLiteral("the frames are too large for WebP"));

    WebPAnimEncoderOptions options;
    WebPConfig config;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config)
        || !WebPConfigLosslessPreset(&config, kLosslessEffort))
        return WebPFailure(QStringLiteral("the WebP library does not match the program"));
    options.anim_params.loop_count = 0;   // forever
    options.anim_params.bgcolor = 0x00000000;
    options.allow_mixed = 0;
    config.lossless = 1;

    const std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(
        WebPAnimEncoderNew(size.width(), size.height(), &options));
    if (!encoder)
        return WebPFailure(QStringLiteral("out of memory"));

    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        return WebPFailure(QStringLiteral("the WebP library does not match the program"));
    picture.use_argb = 1;
    picture.width = size.width();
    picture.height = size.height();
    if (!WebPPictureAlloc(&picture))
        return WebPFailure(QStringLiteral("out of memory"));
    const PictureFreer freer{&picture};

    int timestamp = 0;
    for (const QImage &frame : frames) {
        // ARGB32 pixels are 0xAARRGGBB words, as the encoder's ARGB picture holds them.
        const QImage argb = frame.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < size.height(); ++y)
            std::memcpy(picture.argb + qsizetype(y) * picture.argb_stride, argb.constScanLine(y), size_t(size.width()) * 4);
        if (!WebPAnimEncoderAdd(encoder.get(), &picture, timestamp, &config))
            return WebPFailure(EncoderError(encoder.get()));
        timestamp += delayMs;
    }
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp, nullptr))
        return WebPFailure(EncoderError(encoder.get()));

    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder.get(), &data))
        return WebPFailure(EncoderError(encoder.get()));
    const QByteArray bytes(reinterpret_cast<const char *>(data.bytes), qsizetype(data.size));
    WebPDataClear(&data);
    return bytes;
}
