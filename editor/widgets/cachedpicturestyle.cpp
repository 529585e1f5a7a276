#include "editor/widgets/cachedpicturestyle.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

namespace {

// Draws what `draw` paints in `option->rect` from a picture kept under `key`
// (the picture is made by `draw` at the origin the first time).
template <typename Option, typename Draw> void DrawKept(QString key, const Option &option, QPainter *painter, Draw draw)
{
    const qreal ratio = painter->device()->devicePixelRatio();
    key += QStringLiteral("-%1x%2-%3-%4-%5")
               .arg(option.rect.width())
               .arg(option.rect.height())
               .arg(ratio)
               .arg(option.palette.cacheKey())
               .arg(uint(option.state));
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(option.rect.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        Option at = option;
        at.rect.moveTo(0, 0);
        QPainter onPicture(&picture);
        onPicture.setFont(painter->font());
        onPicture.setPen(painter->pen());
        onPicture.setLayoutDirection(painter->layoutDirection());
        draw(at, &onPicture);
        onPicture.end();
        QPixmapCache::insert(key, picture);
    }
    painter->drawPixmap(option.rect.topLeft(), picture);
}

bool CanKeep(const QStyleOption *option, const QPainter *painter)
{
    return option && painter && painter->device() && !option->rect.isEmpty();
}

} // namespace

void CachedPictureStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                       const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (element != PE_IndicatorCheckBox || !button || !CanKeep(option, painter)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    DrawKept(QStringLiteral("skm-indicator"), *button, painter,
             [&](const QStyleOptionButton &at, QPainter *p) { QProxyStyle::drawPrimitive(element, &at, p, widget); });
}

void CachedPictureStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                            QPainter *painter, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box || !CanKeep(option, painter)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The title's text, font and colour and the box's parts name the picture too.
    const QString key = QStringLiteral("skm-groupbox-%1-%2-%3-%4-%5-%6-%7")
                            .arg(painter->font().key(), box->text)
                            .arg(box->textColor.rgba())
                            .arg(uint(box->textAlignment))
                            .arg(uint(box->features))
                            .arg(uint(box->subControls))
                            .arg(uint(box->activeSubControls));
    DrawKept(key, *box, painter, [&](const QStyleOptionGroupBox &at, QPainter *p) {
        QProxyStyle::drawComplexControl(control, &at, p, widget);
    });
}
