#include "editor/drawingindexstrip.h"

#include <QCoreApplication>

#include <QButtonGroup>
#include <QGridLayout>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "view/spritecomposer.h"

namespace {

constexpr int kSwatchSide = 14;

QIcon SwatchIcon(QRgb color)
{
    QPixmap pixmap(kSwatchSide, kSwatchSide);
    pixmap.fill(QColor::fromRgb(color));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0, 0, 0, 140));
    painter.drawRect(0, 0, kSwatchSide - 1, kSwatchSide - 1);
    return QIcon(pixmap);
}

} // namespace

QString SwatchName(int index, const QColor &color)
{
    return QCoreApplication::translate("DrawingIndexStrip", "index %1, red %2 green %3 blue %4")
        .arg(index)
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue());
}

DrawingIndexStrip::DrawingIndexStrip(QWidget *parent) : QWidget(parent), group(new QButtonGroup(this))
{
    // Two rows of eight, so that the strip beside the view keeps the window narrow.
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    group->setExclusive(true);
    for (int i = 0; i < kIndexCount; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("swatchIndex%1").arg(i));
        button->setCheckable(true);
        button->setIconSize(QSize(kSwatchSide, kSwatchSide));
        group->addButton(button, i);
        layout->addWidget(button, i / 8, i % 8);
        swatches.append(button);
    }
    swatches.at(current)->setChecked(true);
    setColors(Palette(), QColor(Qt::gray));
    connect(group, &QButtonGroup::idClicked, this, &DrawingIndexStrip::setCurrentIndex);
}

void DrawingIndexStrip::setColors(const Palette &palette, const QColor &background)
{
    const QList<QRgb> next = SpriteColorTable(palette, background, false);
    for (int i = 0; i < kIndexCount; ++i)
        if (swatchColors.size() != kIndexCount || swatchColors.at(i) != next.at(i))
        {
            swatches.at(i)->setIcon(SwatchIcon(next.at(i)));
            const QString name = SwatchName(i, QColor(next.at(i)));
            swatches.at(i)->setAccessibleName(name);
            swatches.at(i)->setToolTip(name);
        }
    swatchColors = next;
}

void DrawingIndexStrip::setCurrentIndex(int index)
{
    if (index < 0 || index >= kIndexCount)
        return;
    // A click on the checked swatch keeps it checked; a programmatic change moves the mark.
    swatches.at(index)->setChecked(true);
    if (index == current)
        return;
    current = index;
    emit currentIndexChanged(index);
}

QToolButton *DrawingIndexStrip::swatch(int index) const
{
    return (index >= 0 && index < kIndexCount) ? swatches.at(index) : nullptr;
}
