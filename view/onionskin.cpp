#include "view/onionskin.h"

#include <algorithm>

#include "rom/cardata.h"

namespace {

int Wrapped(int rotation)
{
    const int step = rotation % kRotationSteps;
    return step < 0 ? step + kRotationSteps : step;
}

void AddOnce(QList<ViewLookup> &views, const ViewLookup &view, const ViewLookup &shown)
{
    if (view.spriteNumber != -1 && view != shown && !views.contains(view))
        views << view;
}

} // namespace

QList<ViewLookup> OnionSkinViews(int rotation, int tilt, bool mirrored, OnionNeighbours neighbours)
{
    rotation = Wrapped(rotation);
    tilt = std::clamp(tilt, kMinTilt, kMaxTilt);
    const ViewLookup own = FindSpriteByParameters(rotation, tilt);
    // What the user's mirroring adds to the table's.
    const bool flipped = mirrored != own.mirrored;
    const auto asShown = [flipped](ViewLookup view) {
        view.mirrored = view.mirrored != flipped;
        return view;
    };
    const ViewLookup shown{own.spriteNumber, mirrored};

    QList<ViewLookup> views;
    switch (neighbours) {
    case OnionNeighbours::Rotations:
        for (const int direction : {-1, 1})
            for (int step = 1; step < kRotationSteps; ++step) {
                const ViewLookup view = FindSpriteByParameters(rotation + direction * step, tilt);
                if (view.spriteNumber != -1) {
                    AddOnce(views, asShown(view), shown);
                    break;
                }
            }
        break;
    case OnionNeighbours::Tilts:
        for (const int direction : {-1, 1})
            for (int t = tilt + direction; t >= kMinTilt && t <= kMaxTilt; t += direction) {
                const ViewLookup view = FindSpriteByParameters(rotation, t);
                if (view.spriteNumber != -1) {
                    AddOnce(views, asShown(view), shown);
                    break;
                }
            }
        break;
    case OnionNeighbours::Mirror:
        if (own.spriteNumber != -1)
            views << ViewLookup{own.spriteNumber, !mirrored};
        break;
    }
    return views;
}

QImage WithOnionSkin(const QImage &frame, const QImage &frameSlots, const QList<OnionLayer> &layers)
{
    QImage out = frame.convertToFormat(QImage::Format_RGB32);
    const QSize size(kSpriteSide, kSpriteSide);
    if (out.size() != size || frameSlots.size() != size || frameSlots.depth() != 8)
        return out;
    QList<QImage> pictures, slotPictures;
    for (const OnionLayer &layer : layers)
        if (layer.picture.size() == size && layer.slotPicture.size() == size
            && layer.slotPicture.depth() == 8) {
            pictures << layer.picture.convertToFormat(QImage::Format_RGB32);
            slotPictures << layer.slotPicture;
        }
    constexpr int kShare = kOnionOpacityPercent;
    for (int y = 0; y < kSpriteSide; ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const uchar *own = frameSlots.constScanLine(y);
        for (int x = 0; x < kSpriteSide; ++x) {
            if (own[x] != 0)
                continue;
            for (qsizetype l = 0; l < pictures.size(); ++l) {
                if (slotPictures[l].constScanLine(y)[x] == 0)
                    continue;
                const QRgb under = line[x];
                const QRgb over = reinterpret_cast<const QRgb *>(pictures[l].constScanLine(y))[x];
                const auto mix = [](int below, int above) { return (below * (100 - kShare) + above * kShare + 50) / 100; };
                line[x] = qRgb(mix(qRed(under), qRed(over)), mix(qGreen(under), qGreen(over)),
                               mix(qBlue(under), qBlue(over)));
                break;
            }
        }
    }
    return out;
}

QImage OnionSlots(const QList<QImage> &layerSlots)
{
    const QSize size(kSpriteSide, kSpriteSide);
    QImage result(size, QImage::Format_Grayscale8);
    result.fill(0);
    uchar *bits = result.bits();
    const qsizetype stride = result.bytesPerLine();
    // The last layer first: each one before it covers it where it shows.
    for (qsizetype l = layerSlots.size() - 1; l >= 0; --l) {
        const QImage &layer = layerSlots.at(l);
        if (layer.size() != size || layer.depth() != 8)
            continue;
        for (int y = 0; y < kSpriteSide; ++y) {
            const uchar *in = layer.constScanLine(y);
            uchar *out = bits + y * stride;
            for (int x = 0; x < kSpriteSide; ++x)
                if (in[x] != 0)
                    out[x] = in[x];
        }
    }
    return result;
}

void DrawOnionSlots(QImage &frame, const QImage &frameSlots, const QImage &onionSlots, const QList<QRgb> &table)
{
    const QSize size(kSpriteSide, kSpriteSide);
    if (frame.size() != size || frame.format() != QImage::Format_RGB32 || frameSlots.size() != size
        || frameSlots.depth() != 8 || onionSlots.size() != size || onionSlots.depth() != 8)
        return;
    constexpr int kShare = kOnionOpacityPercent;
    const auto mix = [](int below, int above) { return (below * (100 - kShare) + above * kShare + 50) / 100; };
    uchar *bits = frame.bits();
    const qsizetype stride = frame.bytesPerLine();
    for (int y = 0; y < kSpriteSide; ++y) {
        auto *line = reinterpret_cast<QRgb *>(bits + y * stride);
        const uchar *own = frameSlots.constScanLine(y);
        const uchar *onion = onionSlots.constScanLine(y);
        for (int x = 0; x < kSpriteSide; ++x) {
            if (own[x] != 0 || onion[x] == 0)
                continue;
            const QRgb under = line[x];
            const QRgb over = onion[x] < table.size() ? table.at(onion[x]) : qRgb(0, 0, 0);
            line[x] = qRgb(mix(qRed(under), qRed(over)), mix(qGreen(under), qGreen(over)), mix(qBlue(under), qBlue(over)));
        }
    }
}
