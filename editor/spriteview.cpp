#include "editor/spriteview.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include "view/zoom.h"

namespace {

constexpr int kTileSide = 8;
const QSize kFrameSize(kSpriteSide, kSpriteSide);

// First zoomed position of every source position, and the zoomed length at the
// end: source s covers [starts[s], starts[s + 1]).
QList<int> StartsOf(const QList<int> &samples, int sourceLength)
{
    QList<int> starts(sourceLength + 1, int(samples.size()));
    int s = 0;
    for (int i = 0; i < samples.size(); ++i)
        while (s <= samples.at(i) && s < sourceLength)
            starts[s++] = i;
    return starts;
}

} // namespace

SpriteView::SpriteView(QWidget *parent) : QLabel(parent)
{
    setMouseTracking(true);
}

void SpriteView::setSprite(const QImage &picture, const SpriteViewMapping &mapping)
{
    QImage next = picture.size() == kFrameSize ? picture.convertToFormat(QImage::Format_RGB32) : QImage();
    const SpriteViewMapping previous = viewMapping;
    viewMapping = mapping;

    const bool sameLayout = ZoomedSize(kFrameSize, previous.zoom) == ZoomedSize(kFrameSize, mapping.zoom)
        && (previous.zoom >= kPixelGridZoom) == (mapping.zoom >= kPixelGridZoom);
    if (!sameLayout || frame.isNull() || next.isNull()) {
        const QSize oldHint = sizeHint();
        frame = next;
        rebuildScaled();
        if (sizeHint() != oldHint)
            updateGeometry();
        update();
    } else {
        // Find the block of frame pixels that changed and repaint just that.
        int left = kSpriteSide, right = -1, top = kSpriteSide, bottom = -1;
        for (int y = 0; y < kSpriteSide; ++y) {
            const QRgb *a = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            const QRgb *b = reinterpret_cast<const QRgb *>(next.constScanLine(y));
            for (int x = 0; x < kSpriteSide; ++x) {
                if (a[x] != b[x]) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = y;
                }
            }
        }
        frame = next;
        if (right >= 0) {
            const QRect changed(QPoint(left, top), QPoint(right, bottom));
            updateScaled(changed);
            update(zoomedRectOf(changed));
        }
    }

    // What lies under a resting mouse may have changed with the mapping.
    if (hoverShown)
        hoverAt(lastMouse);
}

void SpriteView::rebuildScaled()
{
    const QSize size = ZoomedSize(kFrameSize, viewMapping.zoom);
    if (frame.isNull() || size.isEmpty()) {
        scaled = QImage();
        columns.clear();
        rows.clear();
        columnStart.clear();
        rowStart.clear();
        return;
    }
    scaled = ScaleNearest(frame, size);
    const NearestSampling sampling = NearestSamplingFor(kFrameSize, size);
    columns = sampling.columns;
    rows = sampling.rows;
    columnStart = StartsOf(columns, kSpriteSide);
    rowStart = StartsOf(rows, kSpriteSide);
}

void SpriteView::updateScaled(const QRect &frameRect)
{
    if (scaled.isNull())
        return;
    const int x0 = columnStart.at(frameRect.left()), x1 = columnStart.at(frameRect.right() + 1);
    const int y0 = rowStart.at(frameRect.top()), y1 = rowStart.at(frameRect.bottom() + 1);
    for (int y = y0; y < y1; ++y) {
        const QRgb *source = reinterpret_cast<const QRgb *>(frame.constScanLine(rows.at(y)));
        QRgb *target = reinterpret_cast<QRgb *>(scaled.scanLine(y));
        for (int x = x0; x < x1; ++x)
            target[x] = source[columns.at(x)];
    }
}

QRect SpriteView::zoomedRectOf(const QRect &frameRect) const
{
    if (scaled.isNull())
        return QRect();
    const QPoint topLeft(columnStart.at(frameRect.left()), rowStart.at(frameRect.top()));
    const QPoint end(columnStart.at(frameRect.right() + 1), rowStart.at(frameRect.bottom() + 1));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())).translated(spriteRect().topLeft());
}

void SpriteView::setPixelGridVisible(bool visible)
{
    if (pixelGrid == visible)
        return;
    pixelGrid = visible;
    update(spriteRect());
}

void SpriteView::setTileGridVisible(bool visible)
{
    if (tileGrid == visible)
        return;
    tileGrid = visible;
    update(spriteRect());
}

void SpriteView::setPixelGridColor(const QColor &color)
{
    if (pixelColor == color)
        return;
    pixelColor = color;
    if (pixelGrid)
        update(spriteRect());
}

void SpriteView::setTileGridColor(const QColor &color)
{
    if (tileColor == color)
        return;
    tileColor = color;
    if (tileGrid)
        update(spriteRect());
}

QRect SpriteView::spriteRect() const
{
    const int m = margin();
    const QRect contents = contentsRect().adjusted(m, m, -m, -m);
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    return QStyle::alignedRect(layoutDirection(), align, scaled.size(), contents);
}

SpriteViewPointer SpriteView::pointerAt(QPointF position) const
{
    SpriteViewPointer pointer;
    if (scaled.isNull())
        return pointer;
    pointer.shown = ShownPixelAt(position - QPointF(spriteRect().topLeft()), viewMapping.zoom);
    if (pointer.shown)
        pointer.stored = StoredPixelOf(*pointer.shown, viewMapping.mirrored, viewMapping.offset);
    return pointer;
}

void SpriteView::endStroke()
{
    if (!isStrokeActive())
        return;
    strokeButton = Qt::NoButton;
    strokeShown.reset();
    emit pixelReleased(SpriteViewPointer{});
}

QSize SpriteView::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const int m = 2 * margin();
    return ZoomedSize(kFrameSize, viewMapping.zoom)
        + QSize(margins.left() + margins.right() + m, margins.top() + margins.bottom() + m);
}

QSize SpriteView::minimumSizeHint() const
{
    return sizeHint();
}

void SpriteView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = spriteRect();
    const QRect dirty = event->rect() & area;
    if (scaled.isNull() || dirty.isEmpty())
        return;
    painter.drawImage(dirty.topLeft(), scaled, dirty.translated(-area.topLeft()));

    // Lines between pixels: a line takes the first zoomed column (row) of the
    // pixel to its right (below). Only the lines crossing the dirty block.
    const bool pixels = pixelGrid && viewMapping.zoom >= kPixelGridZoom;
    if (!pixels && !tileGrid)
        return;
    QList<QLine> pixelLines, tileLines;
    for (int s = 1; s < kSpriteSide; ++s) {
        const bool tile = s % kTileSide == 0;
        if (!(tile ? tileGrid || pixels : pixels))
            continue;
        QList<QLine> &lines = (tile && tileGrid) ? tileLines : pixelLines;
        const int x = area.left() + columnStart.at(s);
        if (x >= dirty.left() && x <= dirty.right() && columnStart.at(s) < columnStart.at(s + 1))
            lines.append(QLine(x, dirty.top(), x, dirty.bottom()));
        const int y = area.top() + rowStart.at(s);
        if (y >= dirty.top() && y <= dirty.bottom() && rowStart.at(s) < rowStart.at(s + 1))
            lines.append(QLine(dirty.left(), y, dirty.right(), y));
    }
    if (!pixelLines.isEmpty()) {
        painter.setPen(QPen(pixelColor, 0));
        painter.drawLines(pixelLines);
    }
    if (!tileLines.isEmpty()) {
        painter.setPen(QPen(tileColor, 0));
        painter.drawLines(tileLines);
    }
}

void SpriteView::mousePressEvent(QMouseEvent *event)
{
    if (isStrokeActive()) {
        event->accept();   // another button during a stroke: swallowed
        return;
    }
    SpriteViewPointer pointer = pointerAt(event->position());
    if (!pointer.shown) {
        QLabel::mousePressEvent(event);
        return;
    }
    strokeButton = event->button();
    strokeShown = pointer.shown;
    pointer.button = event->button();
    pointer.buttons = event->buttons();
    pointer.modifiers = event->modifiers();
    event->accept();
    emit pixelPressed(pointer);
}

void SpriteView::mouseMoveEvent(QMouseEvent *event)
{
    hoverAt(event->position());
    if (!isStrokeActive()) {
        QLabel::mouseMoveEvent(event);
        return;
    }
    event->accept();
    SpriteViewPointer pointer = pointerAt(event->position());
    if (!pointer.shown || pointer.shown == strokeShown)
        return;
    strokeShown = pointer.shown;
    pointer.buttons = event->buttons();
    pointer.modifiers = event->modifiers();
    emit pixelMoved(pointer);
}

void SpriteView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isStrokeActive() || event->button() != strokeButton) {
        if (isStrokeActive())
            event->accept();
        else
            QLabel::mouseReleaseEvent(event);
        return;
    }
    SpriteViewPointer pointer = pointerAt(event->position());
    pointer.button = event->button();
    pointer.buttons = event->buttons();
    pointer.modifiers = event->modifiers();
    strokeButton = Qt::NoButton;
    strokeShown.reset();
    event->accept();
    emit pixelReleased(pointer);
}

void SpriteView::leaveEvent(QEvent *event)
{
    clearHover();
    QLabel::leaveEvent(event);
}

void SpriteView::hideEvent(QHideEvent *event)
{
    endStroke();
    clearHover();
    QLabel::hideEvent(event);
}

void SpriteView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        endStroke();
        clearHover();
    }
    QLabel::changeEvent(event);
}

void SpriteView::hoverAt(QPointF position)
{
    lastMouse = position;
    const SpriteViewPointer pointer = pointerAt(position);
    if (!pointer.shown) {
        clearHover();
        return;
    }
    if (pointer.shown == hoverShown && pointer.stored == hoverStored)
        return;
    hoverShown = pointer.shown;
    hoverStored = pointer.stored;
    emit pixelHovered(*pointer.shown, pointer.stored);
}

void SpriteView::clearHover()
{
    if (!hoverShown)
        return;
    hoverShown.reset();
    hoverStored.reset();
    emit hoverLeft();
}
