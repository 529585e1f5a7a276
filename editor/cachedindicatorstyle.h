#pragma once

#include <QProxyStyle>

// The style of the check boxes the animation toggles many times a second:
// draws the box and its tick as the application's style does, once for each
// state, size and palette, and then from a kept picture. Everything else is
// the application's style itself.
class CachedIndicatorStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
