#include "icondrawing.h"

#include <algorithm>

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kTile(0x3a, 0x3f, 0x4a);
const QColor kTyre(0x11, 0x11, 0x11);
const QColor kBody(0x24, 0x56, 0xd6);
const QColor kBodyEdge(0x0d, 0x2a, 0x78);
const QColor kStripe(0xff, 0xd8, 0x00);
const QColor kGlass(0x9f, 0xd6, 0xff);
const QColor kWing(0xd6, 0x24, 0x24);
const QColor kWingEdge(0x6b, 0x0d, 0x0d);

// The scalable drawing, in its 128-unit coordinates; the car is drawn nose up
// and turned a quarter to the left, as in the SVG.
void DrawVector(QPainter &p, int size)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kTile);
    p.drawRoundedRect(QRectF(6, 6, 116, 116), 20, 20);

    p.translate(64, 64);
    p.rotate(-90);
    p.translate(-64, -64);

    p.setBrush(kTyre);
    for (const QRectF &wheel : {QRectF(30, 26, 16, 26), QRectF(82, 26, 16, 26), QRectF(28, 78, 18, 28),
                                QRectF(82, 78, 18, 28)})
        p.drawRoundedRect(wheel, 4, 4);

    QPainterPath body;
    body.moveTo(64, 12);
    body.cubicTo(78, 12, 84, 22, 84, 36);
    body.lineTo(86, 96);
    body.cubicTo(86, 108, 78, 114, 64, 114);
    body.cubicTo(50, 114, 42, 108, 42, 96);
    body.lineTo(44, 36);
    body.cubicTo(44, 22, 50, 12, 64, 12);
    body.closeSubpath();
    p.setPen(QPen(kBodyEdge, 3));
    p.setBrush(kBody);
    p.drawPath(body);

    p.setPen(Qt::NoPen);
    p.setBrush(kStripe);
    p.drawRect(QRectF(59, 13, 10, 100));

    QPainterPath cockpit;
    cockpit.moveTo(52, 56);
    cockpit.cubicTo(52, 48, 76, 48, 76, 56);
    cockpit.lineTo(74, 76);
    cockpit.cubicTo(74, 80, 54, 80, 54, 76);
    cockpit.closeSubpath();
    p.setPen(QPen(kBodyEdge, 2));
    p.setBrush(kGlass);
    p.drawPath(cockpit);

    p.setPen(QPen(kWingEdge, 2));
    p.setBrush(kWing);
    p.drawRoundedRect(QRectF(38, 104, 52, 8), 2, 2);
}

// A layout on the pixel grid, nose to the left. All numbers are pixels.
struct PixelLayout
{
    int tileRadius;
    QRect body;             // the hull, corners at the nose cut off
    int noseCut;            // pixels cut from each nose corner
    bool edge;              // a dark 1-pixel outline round the hull
    QRect stripe;
    QRect cockpit;
    QRect wing;
    QRect wheels[4];
};

// The size x size tile with corners of the given radius, their edge pixels
// covered in proportion to 4 x 4 samples inside the circle. Whole-number
// arithmetic only, so that every machine draws the same pixels.
QImage RoundedTile(int size, int radius)
{
    QImage tile(size, size, QImage::Format_ARGB32_Premultiplied);
    const int r8 = 8 * radius;   // in eighths of a pixel, samples sit at odd eighths
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const int px = 8 * x + 2 * sx + 1;
                    const int py = 8 * y + 2 * sy + 1;
                    // Distance into the nearest corner square, zero outside the corners.
                    const int dx = std::max({r8 - px, px - (8 * size - r8), 0});
                    const int dy = std::max({r8 - py, py - (8 * size - r8), 0});
                    inside += dx * dx + dy * dy <= r8 * r8 ? 1 : 0;
                }
            }
            const int alpha = (255 * inside + 8) / 16;
            tile.setPixel(x, y, qPremultiply(qRgba(kTile.red(), kTile.green(), kTile.blue(), alpha)));
        }
    }
    return tile;
}

void DrawPixels(QPainter &p, const PixelLayout &l, int size)
{
    // The tile keeps soft corners; everything on it is hard-edged, and all of
    // it lies on the pixel grid, drawn the same on every machine.
    p.drawImage(0, 0, RoundedTile(size, l.tileRadius));

    for (const QRect &wheel : l.wheels)
        p.fillRect(wheel, kTyre);
    p.fillRect(l.wing, kWing);

    const QRect &b = l.body;
    if (l.edge) {
        p.fillRect(b, kBodyEdge);
        p.fillRect(b.adjusted(1, 1, -1, -1), kBody);
    } else {
        p.fillRect(b, kBody);
    }
    p.fillRect(l.stripe, kStripe);
    p.fillRect(l.cockpit, kGlass);
    if (l.edge)
        p.fillRect(QRect(l.cockpit.left() - 1, l.cockpit.top(), 1, l.cockpit.height()), kBodyEdge);

    // Round the nose: the cut corners show the tile again, with the outline
    // following the cut.
    for (int i = 0; i < l.noseCut; ++i) {
        const int w = l.noseCut - i;
        p.fillRect(QRect(b.left(), b.top() + i, w, 1), kTile);
        p.fillRect(QRect(b.left(), b.bottom() - i, w, 1), kTile);
        if (l.edge) {
            p.fillRect(QRect(b.left() + w, b.top() + i, 1, 1), kBodyEdge);
            p.fillRect(QRect(b.left() + w, b.bottom() - i, 1, 1), kBodyEdge);
        }
    }
}

PixelLayout Layout16()
{
    PixelLayout l;
    l.tileRadius = 3;
    l.body = QRect(1, 5, 12, 6);
    l.noseCut = 1;
    l.edge = false;
    l.stripe = QRect(1, 7, 12, 2);
    l.cockpit = QRect(6, 6, 3, 4);
    l.wing = QRect(13, 4, 2, 8);
    l.wheels[0] = QRect(3, 3, 3, 2);
    l.wheels[1] = QRect(3, 11, 3, 2);
    l.wheels[2] = QRect(9, 3, 4, 2);
    l.wheels[3] = QRect(9, 11, 4, 2);
    return l;
}

PixelLayout Layout24()
{
    PixelLayout l;
    l.tileRadius = 4;
    l.body = QRect(2, 7, 18, 10);
    l.noseCut = 2;
    l.edge = true;
    l.stripe = QRect(3, 11, 16, 2);
    l.cockpit = QRect(9, 9, 5, 6);
    l.wing = QRect(19, 5, 3, 14);
    l.wheels[0] = QRect(5, 4, 5, 3);
    l.wheels[1] = QRect(5, 17, 5, 3);
    l.wheels[2] = QRect(13, 4, 6, 3);
    l.wheels[3] = QRect(13, 17, 6, 3);
    return l;
}

PixelLayout Layout32()
{
    PixelLayout l;
    l.tileRadius = 5;
    l.body = QRect(3, 10, 24, 12);
    l.noseCut = 3;
    l.edge = true;
    l.stripe = QRect(4, 15, 22, 2);
    l.cockpit = QRect(12, 12, 7, 8);
    l.wing = QRect(26, 8, 3, 16);
    l.wheels[0] = QRect(7, 6, 6, 4);
    l.wheels[1] = QRect(7, 22, 6, 4);
    l.wheels[2] = QRect(19, 6, 7, 4);
    l.wheels[3] = QRect(19, 22, 7, 4);
    return l;
}

} // namespace

QImage DrawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    switch (size) {
    case 16: DrawPixels(p, Layout16(), size); break;
    case 24: DrawPixels(p, Layout24(), size); break;
    case 32: DrawPixels(p, Layout32(), size); break;
    default: DrawVector(p, size); break;
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
