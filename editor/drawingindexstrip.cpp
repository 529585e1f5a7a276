#include "editor/drawingindexstrip.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "view/spritecomposer.h"

namespace {

constexpr int kSwatchSide = 14;

// The colour in a thin frame; an unused index crossed out in the colour's
// contrast (black on light colours, white on dark ones).
QIcon SwatchIcon(QRgb color, bool unused)
{
    QPixmap pixmap(kSwatchSide, kSwatchSide);
    pixmap.fill(QColor::fromRgb(color));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0, 0, 0, 140));
    painter.drawRect(0, 0, kSwatchSide - 1, kSwatchSide - 1);
    if (unused) {
        painter.setPen(qGray(color) > 128 ? QColor(0, 0, 0, 200) : QColor(255, 255, 255, 220));
        painter.drawLine(3, 3, kSwatchSide - 4, kSwatchSide - 4);
        painter.drawLine(3, kSwatchSide - 4, kSwatchSide - 4, 3);
    }
    return QIcon(pixmap);
}

} // namespace

DrawingIndexStrip::DrawingIndexStrip(QWidget *parent) : QWidget(parent), group(new QButtonGroup(this))
{
    // Two rows of eight, so that the strip beside the view keeps the window narrow.
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    group->setExclusive(true);
    for (int i = 0; i < kIndexCount; ++i) {
        auto *button = new QToolButton(this);
        const QString name = QStringLiteral("index %1").arg(i);
        button->setObjectName(QStringLiteral("swatchIndex%1").arg(i));
        button->setAccessibleName(name);
        button->setToolTip(toolTipFor(i));
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

void DrawingIndexStrip::setColors(const Palette &palette, const QColor &background, ColorModel model)
{
    const QList<QRgb> before = swatchColors;
    swatchColors = SpriteColorTable(palette, background, false, model);
    for (int i = 0; i < kIndexCount; ++i)
        if (before.size() != kIndexCount || before.at(i) != swatchColors.at(i))
            showSwatch(i);
}

void DrawingIndexStrip::showSwatch(int index)
{
    swatches.at(index)->setIcon(SwatchIcon(swatchColors.value(index), isMarkedUnused(index)));
}

QString DrawingIndexStrip::toolTipFor(int index) const
{
    return use ? PaletteUseText(*use, index) : QStringLiteral("index %1").arg(index);
}

void DrawingIndexStrip::setUse(const PaletteUse &next)
{
    const std::optional<PaletteUse> before = use;
    use = next;
    for (int i = 0; i < kIndexCount; ++i) {
        swatches.at(i)->setToolTip(toolTipFor(i));
        if (!before || (before->sprite.at(i) == 0) != (next.sprite.at(i) == 0))
            showSwatch(i);
    }
}

bool DrawingIndexStrip::isMarkedUnused(int index) const
{
    return use && index >= 0 && index < kIndexCount && use->sprite.at(index) == 0;
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
