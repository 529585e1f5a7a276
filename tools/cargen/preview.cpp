#include "preview.h"

#include <QPainter>

#include "view/spritecomposer.h"
#include "view/spriteoffsets.h"
#include "view/viewtable.h"

QImage CarSheet(const QList<SpritePixels> &car, const Palette &palette, const QColor &background, bool allTurns)
{
    const int columns = allTurns ? kRotationSteps : kRotationColumns;
    QImage sheet(columns * kSpriteSide, kTiltRows * kSpriteSide, QImage::Format_RGB888);
    sheet.fill(background);
    QPainter painter(&sheet);
    for (int row = 0; row < kTiltRows; ++row) {
        for (int step = 0; step < columns; ++step) {
            const ViewLookup view = FindSpriteByParameters(step, row + kMinTilt);
            if (view.spriteNumber < 1 || view.spriteNumber > car.size())
                continue;
            const QImage cell = ComposeSpriteImage(&car[view.spriteNumber - 1], palette, background, QPoint(),
                                                   view.mirrored, false);
            painter.drawImage(step * kSpriteSide, row * kSpriteSide, cell);
        }
    }
    return sheet;
}

QImage PreviewSheets(const CarData &data, int scale, bool allTurns)
{
    // Blue, Red, Yellow, Green, Opponent 1.
    const int paletteOfCar[kCarCount] = {0, 4, 3, 5, 8};
    const QColor background(218, 218, 218);
    QList<QImage> sheets;
    for (int car = 0; car < data.sprites.size(); ++car) {
        const int p = paletteOfCar[car % kCarCount];
        sheets.append(CarSheet(data.sprites[car], data.palettes.value(p), background, allTurns));
    }
    if (sheets.isEmpty())
        return QImage();
    QImage all(sheets.first().width(), sheets.first().height() * sheets.size(), QImage::Format_RGB888);
    QPainter painter(&all);
    for (qsizetype i = 0; i < sheets.size(); ++i)
        painter.drawImage(0, int(i) * sheets.first().height(), sheets[i]);
    painter.end();
    return scale > 1 ? all.scaled(all.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation) : all;
}

Coverage CarCoverage(const QList<SpritePixels> &car)
{
    Coverage c;
    for (const SpritePixels &pixels : car) {
        for (int n = 0; n < pixels.size(); ++n) {
            if (pixels[n] == 0)
                continue;
            const QPoint p = SpritePixelPosition(n);
            c.left = std::min(c.left, p.x());
            c.right = std::max(c.right, p.x());
            c.top = std::min(c.top, p.y());
            c.bottom = std::max(c.bottom, p.y());
        }
    }
    return c;
}
