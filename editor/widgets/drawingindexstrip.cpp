#include "editor/widgets/drawingindexstrip.h"

#include <algorithm>

#include <QCoreApplication>

#include <QButtonGroup>
#include <QKeyEvent>
#include <QGridLayout>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QToolButton>

#include "rom/numbertext.h"

#include "view/spritecomposer.h"

namespace {

constexpr int kSwatchSide = 14;

// The colour in a thin frame; an unused index crossed out in the colour's
// contrast (black on light colours, white on dark ones). Drawn once for each
// colour and mark (the marks follow the animation).
QIcon SwatchIcon(QRgb color, bool unused)
{
    const QString key = QStringLiteral("skm-swatch-%1-%2").arg(color, 8, 16, QLatin1Char('0')).arg(int(unused));
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return QIcon(pixmap);
    pixmap = QPixmap(kSwatchSide, kSwatchSide);
    pixmap.fill(QColor::fromRgb(color));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0, 0, 0, 140));
    painter.drawRect(0, 0, kSwatchSide - 1, kSwatchSide - 1);
    if (unused) {
        painter.setPen(qGray(color) > 128 ? QColor(0, 0, 0, 200) : QColor(255, 255, 255, 220));
        painter.drawLine(3, 3, kSwatchSide - 4, kSwatchSide - 4);
        painter.drawLine(3, kSwatchSide - 4, kSwatchSide - 4, 3);
    }
    painter.end();
    QPixmapCache::insert(key, pixmap);
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
        button->setToolTip(toolTipFor(i));
        button->installEventFilter(this);
        button->setCheckable(true);
        button->setIconSize(QSize(kSwatchSide, kSwatchSide));
        group->addButton(button, i);
        layout->addWidget(button, i / 8, i % 8);
        swatches.append(button);
    }
    swatches.at(current)->setChecked(true);
    updateTabStop();
    setColors(Palette(), QColor(Qt::gray));
    fixSwatchSizes();
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
    swatches.at(index)->setAccessibleName(SwatchName(index, QColor(swatchColors.value(index))));
}

QString DrawingIndexStrip::toolTipFor(int index) const
{
    // How the index is used (when known), then what the swatch does.
    return use ? UseText(*use, index) + QLatin1Char('\n') + SwatchToolTip(index) : SwatchToolTip(index);
}

QString DrawingIndexStrip::UseText(const PaletteUse &use, int index)
{
    if (index < 0 || index >= kColorsPerPalette)
        return {};
    const int inSprite = use.sprite[index];
    // The count of the sprite's pixels picks the plural; both are grouped ("2,296").
    QString text = tr("index %1: %2 pixel(s) in this sprite, %3 in this car", nullptr, inSprite)
                       .arg(index)
                       .arg(GroupedNumber(inSprite), GroupedNumber(use.car[index]));
    const QList<int> &unused = use.unusedInCars[index];
    if (unused.size() == 1) {
        text += tr(", unused in car %1").arg(unused.first() + 1);
    } else if (!unused.isEmpty()) {
        QStringList numbers;
        for (int car : unused)
            numbers << QString::number(car + 1);
        const QString last = numbers.takeLast();
        text += tr(", unused in cars %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
    }
    return text;
}

void DrawingIndexStrip::setUse(const PaletteUse &next)
{
    const std::optional<PaletteUse> before = use;
    use = next;
    for (int i = 0; i < kIndexCount; ++i) {
        // The animation brings new counts many times a second, mostly the same.
        const bool same = before && before->sprite.at(i) == next.sprite.at(i) && before->car.at(i) == next.car.at(i)
            && before->unusedInCars.at(i) == next.unusedInCars.at(i);
        if (same)
            continue;
        const QString tip = toolTipFor(i);
        if (swatches.at(i)->toolTip() != tip)
            swatches.at(i)->setToolTip(tip);
        if (!before || (before->sprite.at(i) == 0) != (next.sprite.at(i) == 0))
            showSwatch(i);
    }
}

void DrawingIndexStrip::fixSwatchSizes()
{
    for (QToolButton *button : std::as_const(swatches)) {
        button->setMinimumSize(0, 0);
        button->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        button->setFixedSize(button->sizeHint());
    }
}

void DrawingIndexStrip::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        fixSwatchSizes();
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
    updateTabStop();
    emit currentIndexChanged(index);
}

void DrawingIndexStrip::updateTabStop()
{
    // The swatch with the focus, or else the current index's one.
    const auto focused = std::find_if(swatches.cbegin(), swatches.cend(), [](const QToolButton *swatch) { return swatch->hasFocus(); });
    const QToolButton *stop = focused != swatches.cend() ? *focused : swatches.at(current);
    for (QToolButton *swatch : std::as_const(swatches))
        swatch->setFocusPolicy(swatch == stop ? Qt::TabFocus : Qt::NoFocus);
}

QToolButton *DrawingIndexStrip::swatch(int index) const
{
    return (index >= 0 && index < kIndexCount) ? swatches.at(index) : nullptr;
}

QString DrawingIndexStrip::SwatchToolTip(int index)
{
    if (index == 0)
        return tr("index 0: background, shown in the editor's grey");
    return tr("index %1: double-click to edit the colour").arg(index);
}

bool DrawingIndexStrip::eventFilter(QObject *watched, QEvent *event)
{
    const int index = swatches.indexOf(qobject_cast<QToolButton *>(watched));
    if (index < 0)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        setCurrentIndex(index);
        emit editRequested(index);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            setCurrentIndex(index);
            emit editRequested(index);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
