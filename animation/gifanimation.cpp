#include "animation/gifanimation.h"

#include <algorithm>
#include <vector>

#include <gif_lib.h>

namespace {

int AppendToBuffer(GifFileType *gif, const GifByteType *bytes, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(bytes), length);
    return length;
}

Failure GifFailure(const QString &what, int error)
{
    const char *text = GifErrorString(error);
    return Failure{{}, QStringLiteral("%1 (GIF encoder: %2)").arg(what, QString::fromLatin1(text ? text : "unknown error")),
                   0, Failure::Action::Write};
}

// Closes the encoder on every way out.
struct GifCloser
{
    GifFileType *gif = nullptr;
    ~GifCloser()
    {
        if (gif)
            EGifCloseFile(gif, nullptr);
    }
};

// Bits a colour table of this many entries needs (1..8).
int BitsFor(qsizetype colors)
{
    int bits = 1;
    while ((qsizetype(1) << bits) < colors)
        ++bits;
    return bits;
}

} // namespace

Result<QByteArray> EncodeGifAnimation(const QList<QImage> &frames, int delayCentiseconds)
{
    const auto refuse = [](const QString &why) { return Failure{{}, why, 0, Failure::Action::Write}; };
    if (frames.isEmpty())
        return refuse(QStringLiteral("no frames to write"));
    const QSize size = frames.first().size();
    const QList<QRgb> table = frames.first().colorTable();
    for (const QImage &frame : frames) {
        if (frame.format() != QImage::Format_Indexed8 || frame.size() != size || size.isEmpty())
            return refuse(QStringLiteral("the frames are not indexed pictures of one size"));
    }
    if (table.isEmpty() || table.size() > 256 || size.width() > 0xFFFF || size.height() > 0xFFFF)
        return refuse(QStringLiteral("the frames do not fit a GIF"));

    const int bits = BitsFor(table.size());
    std::vector<GifColorType> colors(size_t(1) << bits, GifColorType{0, 0, 0});
    int transparent = NO_TRANSPARENT_COLOR;
    for (qsizetype i = 0; i < table.size(); ++i) {
        colors[i] = GifColorType{GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])), GifByteType(qBlue(table[i]))};
        if (transparent == NO_TRANSPARENT_COLOR && qAlpha(table[i]) == 0)
            transparent = int(i);
    }

    QByteArray bytes;
    int error = 0;
    GifCloser closer{EGifOpen(&bytes, AppendToBuffer, &error)};
    GifFileType *gif = closer.gif;
    if (!gif)
        return GifFailure(QStringLiteral("cannot start the picture"), error);
    EGifSetGifVersion(gif, true);

    ColorMapObject *map = GifMakeMapObject(int(colors.size()), colors.data());
    if (!map)
        return refuse(QStringLiteral("out of memory"));
    // The background index is the transparent one, so that clearing a frame leaves nothing.
    const int background = transparent == NO_TRANSPARENT_COLOR ? 0 : transparent;
    const int described = EGifPutScreenDesc(gif, size.width(), size.height(), bits, background, map);
    GifFreeMapObject(map);
    if (described == GIF_ERROR)
        return GifFailure(QStringLiteral("cannot write the picture's header"), gif->Error);

    // Loop forever: the NETSCAPE2.0 application extension with a count of 0.
    static const GifByteType kLoopName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType kLoopForever[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR
        || EGifPutExtensionBlock(gif, sizeof kLoopName, kLoopName) == GIF_ERROR
        || EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever) == GIF_ERROR
        || EGifPutExtensionTrailer(gif) == GIF_ERROR)
        return GifFailure(QStringLiteral("cannot write the loop"), gif->Error);

    GraphicsControlBlock control{};
    control.DisposalMode = transparent == NO_TRANSPARENT_COLOR ? DISPOSE_DO_NOT : DISPOSE_BACKGROUND;
    control.UserInputFlag = false;
    control.DelayTime = std::clamp(delayCentiseconds, 0, 0xFFFF);
    control.TransparentColor = transparent;
    GifByteType extension[4];
    const size_t extensionLength = EGifGCBToExtension(&control, extension);

    std::vector<GifPixelType> line(size_t(size.width()));
    const GifPixelType mask = GifPixelType((1 << bits) - 1);
    for (const QImage &frame : frames) {
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(extensionLength), extension) == GIF_ERROR
            || EGifPutImageDesc(gif, 0, 0, size.width(), size.height(), false, nullptr) == GIF_ERROR)
            return GifFailure(QStringLiteral("cannot write a frame"), gif->Error);
        for (int y = 0; y < size.height(); ++y) {
            // The encoder masks the line in place: give it a copy.
            const uchar *source = frame.constScanLine(y);
            std::transform(source, source + size.width(), line.begin(), [mask](uchar v) { return GifPixelType(v & mask); });
            if (EGifPutLine(gif, line.data(), size.width()) == GIF_ERROR)
                return GifFailure(QStringLiteral("cannot write a frame"), gif->Error);
        }
    }

    closer.gif = nullptr;
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        return GifFailure(QStringLiteral("cannot finish the picture"), error);
    return bytes;
}
