#include "view/referencepicture.h"

#include <algorithm>
#include <cmath>

#include <QJsonDocument>
#include <QPainter>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rom/cardata.h"

namespace {

// x * a / 255 on the four channels at once, rounded.
inline QRgb ByteMul(QRgb x, uint a)
{
    uint t = (x & 0xff00ff) * a;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return x | t;
}

QJsonObject ToJson(const ReferencePlacement &placement)
{
    return {{QStringLiteral("file"), placement.file},
            {QStringLiteral("x"), placement.position.x()},
            {QStringLiteral("y"), placement.position.y()},
            {QStringLiteral("scale"), placement.scale},
            {QStringLiteral("opacity"), placement.opacity},
            {QStringLiteral("over"), placement.over}};
}

ReferencePlacement FromJson(const QJsonObject &object)
{
    ReferencePlacement placement;
    placement.file = object.value(QStringLiteral("file")).toString();
    placement.position = QPointF(object.value(QStringLiteral("x")).toDouble(), object.value(QStringLiteral("y")).toDouble());
    placement.scale = object.value(QStringLiteral("scale")).toDouble(1.0);
    placement.opacity = object.value(QStringLiteral("opacity")).toInt(50);
    placement.over = object.value(QStringLiteral("over")).toBool();
    return Bounded(placement);
}

} // namespace

ReferencePlacement Bounded(ReferencePlacement placement)
{
    placement.opacity = std::clamp(placement.opacity, kMinReferenceOpacity, 100);
    if (!std::isfinite(placement.scale))
        placement.scale = 1.0;
    placement.scale = std::clamp(placement.scale, kMinReferenceScale, kMaxReferenceScale);
    // Somewhere a drag can bring it back from: at most a frame's width away.
    const auto near = [](double value) {
        return std::isfinite(value) ? std::clamp(value, -1e5, 1e5) : 0.0;
    };
    placement.position = QPointF(near(placement.position.x()), near(placement.position.y()));
    return placement;
}

ReferencePlacement FittedPlacement(const QString &file, QSize size, int opacity, bool over)
{
    ReferencePlacement placement;
    placement.file = file;
    placement.opacity = opacity;
    placement.over = over;
    if (!size.isEmpty()) {
        placement.scale = std::min(double(kSpriteSide) / size.width(), double(kSpriteSide) / size.height());
        placement.position = QPointF((kSpriteSide - size.width() * placement.scale) / 2,
                                     (kSpriteSide - size.height() * placement.scale) / 2);
    }
    return Bounded(placement);
}

ReferenceBook ReferenceBook::FromText(const QString &text)
{
    ReferenceBook book;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (document.isObject())
        book.roms = document.object();
    return book;
}

QString ReferenceBook::toText() const
{
    return QString::fromUtf8(QJsonDocument(roms).toJson(QJsonDocument::Compact));
}

QString ReferenceBook::ScopeKey(int car, int sprite, bool perView)
{
    return perView ? QStringLiteral("car%1/sprite%2").arg(car + 1).arg(sprite + 1) : QStringLiteral("car%1").arg(car + 1);
}

std::optional<ReferenceBook::Found> ReferenceBook::find(const QString &rom, int car, int sprite) const
{
    const QJsonObject scopes = roms.value(rom).toObject();
    if (scopes.isEmpty())   // the common case, looked up at every step of an animation
        return std::nullopt;
    for (const bool perView : {true, false}) {
        const QJsonValue value = scopes.value(ScopeKey(car, sprite, perView));
        if (value.isObject()) {
            const ReferencePlacement placement = FromJson(value.toObject());
            if (!placement.file.isEmpty())
                return Found{placement, perView};
        }
    }
    return std::nullopt;
}

void ReferenceBook::put(const QString &rom, int car, int sprite, bool perView, const ReferencePlacement &placement)
{
    QJsonObject scopes = roms.value(rom).toObject();
    scopes.insert(ScopeKey(car, sprite, perView), ToJson(Bounded(placement)));
    roms.insert(rom, scopes);
}

void ReferenceBook::remove(const QString &rom, int car, int sprite, bool perView)
{
    QJsonObject scopes = roms.value(rom).toObject();
    scopes.remove(ScopeKey(car, sprite, perView));
    if (scopes.isEmpty())
        roms.remove(rom);
    else
        roms.insert(rom, scopes);
}

QImage ZoomedReference(const QImage &picture, const ReferencePlacement &placement, QSize zoomed)
{
    if (picture.isNull() || zoomed.isEmpty())
        return {};
    QImage layer(zoomed, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const double unit = zoomed.width() / double(kSpriteSide);
    const QRectF target(placement.position * unit, QSizeF(picture.size()) * placement.scale * unit);
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(std::clamp(placement.opacity, 0, 100) / 100.0);
    painter.drawImage(target, picture);
    return layer;
}

namespace {

#if defined(__SSE2__)
// over + under * (255 - alpha of over) / 255 on each channel of four pixels,
// rounded as ByteMul rounds.
inline __m128i BlendFour(__m128i over, __m128i under)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(0x80);
    const auto scale = [&](__m128i channels, __m128i factors) {
        const __m128i t = _mm_mullo_epi16(channels, factors);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half), 8);
    };
    // 255 - alpha of each pixel, in the four 16-bit lanes of its channels.
    __m128i alpha = _mm_srli_epi32(over, 24);
    alpha = _mm_sub_epi16(full, _mm_or_si128(alpha, _mm_slli_epi32(alpha, 16)));
    const __m128i low = scale(_mm_unpacklo_epi8(under, zero), _mm_unpacklo_epi32(alpha, alpha));
    const __m128i high = scale(_mm_unpackhi_epi8(under, zero), _mm_unpackhi_epi32(alpha, alpha));
    return _mm_add_epi8(over, _mm_packus_epi16(low, high));
}
#endif

// The reference over pixels [from, to) of an opaque row, where keep (one
// entry a pixel: all ones or zero; null: everywhere) lets it through. Every
// path gives the same bytes as the plain loop at its end.
void BlendSpan(QRgb *row, const QRgb *reference, const quint32 *keep, int from, int to)
{
    int x = from;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; x + 4 <= to; x += 4) {
        __m128i over = _mm_loadu_si128(reinterpret_cast<const __m128i *>(reference + x));
        // Where the picture does not reach (a branch that rarely changes its
        // mind, unlike the mask's every few pixels).
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(over, zero)) == 0xffff)
            continue;
        if (keep)
            over = _mm_and_si128(over, _mm_loadu_si128(reinterpret_cast<const __m128i *>(keep + x)));
        auto *target = reinterpret_cast<__m128i *>(row + x);
        const __m128i under = _mm_loadu_si128(target);
        // Where over is zero the blend gives under back, so masked pixels keep theirs.
        _mm_storeu_si128(target, BlendFour(over, under));
    }
#endif
    for (; x < to; ++x) {
        const QRgb over = keep ? reference[x] & keep[x] : reference[x];
        if (over)
            row[x] = over + ByteMul(row[x], 255 - qAlpha(over));
    }
}

} // namespace

void BlendReference(QImage &zoomed, const QImage &reference, const QRect &area, const QImage &frameMask,
                    const int *columns, const int *rows)
{
    const QRect bounds = area & zoomed.rect();
    if (bounds.isEmpty() || reference.size() != zoomed.size() || zoomed.depth() != 32 || reference.depth() != 32)
        return;
    const bool masked = !frameMask.isNull();
    if (masked && (!columns || !rows || frameMask.depth() != 8))
        return;
    // The mask of a frame row spread over the zoomed columns, made again only
    // when the frame row changes (a zoomed block of rows shares it).
    QList<quint32> keepList(masked ? zoomed.width() : 0);
    quint32 *keep = keepList.data();
    int keepRow = -1;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        if (masked && rows[y] != keepRow) {
            keepRow = rows[y];
            if (keepRow < 0 || keepRow >= frameMask.height())
                return;
            const uchar *mask = frameMask.constScanLine(keepRow);
            for (int x = bounds.left(); x <= bounds.right(); ++x)
                keep[x] = mask[columns[x]] ? 0xffffffffu : 0u;
        }
        BlendSpan(reinterpret_cast<QRgb *>(zoomed.scanLine(y)), reinterpret_cast<const QRgb *>(reference.constScanLine(y)),
                  masked ? keep : nullptr, bounds.left(), bounds.right() + 1);
    }
}
