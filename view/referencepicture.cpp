#include "view/referencepicture.h"

#include <algorithm>
#include <cmath>

#include <QJsonDocument>
#include <QPainter>

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

void BlendReferenceRow(QRgb *row, const QRgb *reference, int from, int to, const uchar *frameMask, const int *columns)
{
    if (!frameMask) {
        for (int x = from; x < to; ++x)
            if (const QRgb over = reference[x])
                row[x] = over + ByteMul(row[x], 255 - qAlpha(over));
        return;
    }
    for (int x = from; x < to; ++x)
        if (const QRgb over = reference[x]; over && frameMask[columns[x]])
            row[x] = over + ByteMul(row[x], 255 - qAlpha(over));
}
