#pragma once

#include <QProxyStyle>

// The style of the controls the animation changes many times a second and of
// the group boxes behind them (which repaint with them): draws a check box's
// box and tick, and a group box's frame and title, as the application's style
// does, once for each state, size, text and palette, and then from a kept
// picture. Everything else is the application's style itself.
class CachedPictureStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
};
