#include "editor/displays/spriteview.h"

#include <algorithm>
#include <cstring>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include "view/zoom.h"

namespace {

constexpr int kTileSide = 8;
constexpr quint8 kNoLine = 0, kPixelLine = 1, kTileLine = 2;
const QSize kFrameSize(kSpriteSide, kSpriteSide);
// What zooming and blending a run of changed pixels costs beyond its pixels,
// in frame pixels: past it, the block around the changes is done at once.
constexpr int kRunCost = 4;

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

// The frame pixels that differ between two frames (48 x 48 RGB32), or
// whose background masks differ (null: none): their count and the block
// around them, and, where zooming them run by run costs less than the block,
// the runs of them along each row, a run below one of the same columns
// joined to it.
struct ChangedPixels
{
    QList<QRect> runs;   // empty when the block costs less
    int pixels = 0;
    QRect bounds;
};

ChangedPixels ChangedPixelsOf(const QImage &before, const QImage &after, const QImage &maskBefore,
                              const QImage &maskAfter)
{
    ChangedPixels changes;
    const auto rowOf = [](const QImage &image, int y) { return image.isNull() ? nullptr : image.constScanLine(y); };
    // Rows that differ, told apart at once for the rows that stay (an
    // animation's step changes the car's rows, not the background's).
    const auto rowDiffers = [&](int y) {
        const uchar *ma = rowOf(maskBefore, y), *mb = rowOf(maskAfter, y);
        return std::memcmp(before.constScanLine(y), after.constScanLine(y), kSpriteSide * sizeof(QRgb)) != 0
            || (ma && mb ? std::memcmp(ma, mb, kSpriteSide) != 0 : ma != mb);
    };
    // The rows of one y, looked up once for its pixels.
    struct Rows
    {
        const QRgb *a, *b;
        const uchar *ma, *mb;
        bool differs(int x) const { return a[x] != b[x] || (ma ? ma[x] : 0) != (mb ? mb[x] : 0); }
    };
    const auto rowsAt = [&](int y) {
        return Rows{reinterpret_cast<const QRgb *>(before.constScanLine(y)),
                    reinterpret_cast<const QRgb *>(after.constScanLine(y)), rowOf(maskBefore, y), rowOf(maskAfter, y)};
    };

    // First the count, the block and the runs along the rows (at least as
    // many as the joined runs): when even those cost less than the block,
    // the runs are worth making.
    bool changedRows[kSpriteSide] = {};
    int rowRuns = 0, left = kSpriteSide, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < kSpriteSide; ++y) {
        if (!rowDiffers(y))
            continue;
        const int runsBefore = rowRuns;
        const Rows row = rowsAt(y);
        for (int x = 0; x < kSpriteSide; ++x) {
            if (!row.differs(x))
                continue;
            left = qMin(left, x);
            const int first = x;
            while (x < kSpriteSide && row.differs(x))
                ++x;
            right = qMax(right, x - 1);
            changes.pixels += x - first;
            ++rowRuns;
        }
        if (rowRuns == runsBefore)
            continue;
        changedRows[y] = true;
        if (top < 0)
            top = y;
        bottom = y;
    }
    if (changes.pixels == 0)
        return changes;
    changes.bounds = QRect(QPoint(left, top), QPoint(right, bottom));
    if (changes.pixels + kRunCost * rowRuns >= changes.bounds.width() * changes.bounds.height())
        return changes;

    QList<qsizetype> open, next;   // the runs that end on the row above, and on this row
    open.reserve(kSpriteSide);
    next.reserve(kSpriteSide);
    changes.runs.reserve(rowRuns);
    for (int y = top; y <= bottom; ++y) {
        next.clear();
        if (!changedRows[y]) {
            std::swap(open, next);
            continue;
        }
        const Rows row = rowsAt(y);
        qsizetype above = 0;
        for (int x = 0; x < kSpriteSide; ++x) {
            if (!row.differs(x))
                continue;
            const int first = x;
            while (x < kSpriteSide && row.differs(x))
                ++x;
            while (above < open.size() && changes.runs.at(open.at(above)).left() < first)
                ++above;
            QRect *joined = nullptr;
            if (above < open.size()) {
                QRect &run = changes.runs[open.at(above)];
                if (run.left() == first && run.right() == x - 1)
                    joined = &run;
            }
            if (joined) {
                joined->setBottom(y);
                next << open.at(above);
            } else {
                next << changes.runs.size();
                changes.runs << QRect(first, y, x - first, 1);
            }
        }
        std::swap(open, next);
    }
    return changes;
}

// Screen readers see the view as a drawing surface, with the name and the
// description (the pixel under the keyboard's cursor) the window gives it.
QAccessibleInterface *SpriteViewAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("SpriteView") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Canvas);
    return nullptr;
}

} // namespace

SpriteView::SpriteView(QWidget *parent) : QLabel(parent)
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(SpriteViewAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The view paints every pixel itself (the sprite, and the background
    // around it below): a step of the animation repaints the changed pixels
    // without painting the panels underneath first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpriteView::setSprite(const QImage &picture, const SpriteViewMapping &mapping, Repaint repaint, const QImage &slotPicture)
{
    QImage next = picture.size() == kFrameSize ? picture.convertToFormat(QImage::Format_RGB32) : QImage();
    const QImage nextSlots = slotPicture.size() == kFrameSize && slotPicture.depth() == 8 ? slotPicture : QImage();
    const qint64 nextFrameKey = picture.cacheKey(), nextSlotKey = slotPicture.cacheKey();
    const bool maskMatters = !referenceZoomed.isNull() && !placement.over;
    const SpriteViewMapping previous = viewMapping;
    const bool sameLayout = ZoomedSize(kFrameSize, previous.zoom) == ZoomedSize(kFrameSize, mapping.zoom)
        && (previous.zoom >= kPixelGridZoom) == (mapping.zoom >= kPixelGridZoom);
    const bool whole = !sameLayout || frame.isNull() || next.isNull();
    const QSize oldHint = whole ? sizeHint() : QSize();   // from the previous zoom
    viewMapping = mapping;

    if (whole) {
        frame = next;
        slotsShown = nextSlots;
        pictureCache = QPixmap();
        rebuildScaled();
        if (sizeHint() != oldHint)
            updateGeometry();
        update();
    } else {
        const QImage frameBefore = frame;
        // Find the frame pixels that changed: the block around them is
        // repainted, and only they are zoomed and blended again.
        // Where the background shows matters only to a reference behind the sprite.
        const QImage maskBefore = maskMatters ? backgroundMask() : QImage();
        frame = next;
        slotsShown = nextSlots;
        const ChangedPixels changes = ChangedPixelsOf(frameBefore, frame, maskBefore,
                                                      maskMatters ? backgroundMask() : QImage());
        if (!changes.bounds.isEmpty()) {
            pictureCache = QPixmap();
            const QRect changed = changes.bounds;
            // A frame shown before comes back zoomed as it was; the one that
            // goes is kept when most of it changed (a step, not a stroke).
            QImage kept = takeZoomed(nextFrameKey, nextSlotKey);
            if (!kept.isNull() || changes.pixels * 4 >= kSpriteSide * kSpriteSide)
                keepZoomed(shownFrameKey, shownSlotKey);
            if (!kept.isNull()) {
                scaled = kept;
            } else if (!changes.runs.isEmpty()
                       && changes.pixels + kRunCost * changes.runs.size() < changed.width() * changed.height()) {
                for (const QRect &run : changes.runs)
                    updateScaled(run);
            } else {
                updateScaled(changed);
            }
            if (repaint == Repaint::ByPaintNow)
                unpainted |= zoomedRectOf(changed);
            else
                update(zoomedRectOf(changed));
        }
    }

    shownFrameKey = nextFrameKey;
    shownSlotKey = nextSlotKey;
    // What lies under a resting mouse may have changed with the mapping.
    if (hoverShown)
        hoverAt(lastMouse);
}

QPixmap SpriteView::picture() const
{
    if (pictureCache.isNull() && !frame.isNull()) {
        const QSize size = ZoomedSize(kFrameSize, viewMapping.zoom);
        if (!size.isEmpty())
            pictureCache = QPixmap::fromImage(ScaleNearest(frame, size));
    }
    return pictureCache;
}

QImage SpriteView::takeZoomed(qint64 frameKey, qint64 slotKey)
{
    for (qsizetype i = 0; i < keptZoomed.size(); ++i) {
        if (keptZoomed.at(i).frameKey == frameKey && keptZoomed.at(i).slotKey == slotKey) {
            QImage zoomed = keptZoomed.at(i).scaled;
            keptZoomed.removeAt(i);
            return zoomed;
        }
    }
    return {};
}

void SpriteView::forgetFrames(const QList<qint64> &frameKeys)
{
    keptZoomed.removeIf([&frameKeys](const KeptZoomed &kept) { return frameKeys.contains(kept.frameKey); });
    if (frameKeys.contains(shownFrameKey))
        shownFrameKey = 0;
}

void SpriteView::keepZoomed(qint64 frameKey, qint64 slotKey)
{
    if (frameKey == 0)
        return;   // a null frame, or one that will not come back
    // Worth it only where the blend makes a frame costly, and only when a
    // whole turn of the animation fits: else the oldest would go before it
    // comes back, and every step would pay a copy for nothing.
    const qsizetype bytes = scaled.sizeInBytes();
    if (referenceZoomed.isNull() || scaled.isNull() || bytes * kAnimationFrames > kKeptZoomedBytes)
        return;
    takeZoomed(frameKey, slotKey);
    keptZoomed.append({frameKey, slotKey, scaled});
    while (keptZoomed.size() * bytes > kKeptZoomedBytes)
        keptZoomed.removeFirst();
}

void SpriteView::rebuildScaled()
{
    keptZoomed.clear();   // made for another zoom, grid or reference
    const QSize size = ZoomedSize(kFrameSize, viewMapping.zoom);
    if (frame.isNull() || size.isEmpty()) {
        scaled = QImage();
        columns.clear();
        rows.clear();
        columnStart.clear();
        rowStart.clear();
        columnLines.clear();
        rowLines.clear();
        return;
    }
    scaled = ScaleNearest(frame, size);
    const NearestSampling sampling = NearestSamplingFor(kFrameSize, size);
    columns = sampling.columns;
    rows = sampling.rows;
    columnStart = StartsOf(columns, kSpriteSide);
    rowStart = StartsOf(rows, kSpriteSide);
    if (referencePicture.isNull())
        referenceZoomed = QImage();
    else if (referenceZoomed.size() != size)
        referenceZoomed = ZoomedReference(referencePicture, placement, size);
    blendReference(0, size.width(), 0, size.height());

    // Which zoomed columns and rows carry a grid line: the first one of every
    // pixel but the first, tile lines over pixel lines.
    const bool pixels = pixelGrid && viewMapping.zoom >= kPixelGridZoom;
    const auto lines = [&](const QList<int> &starts, int length) {
        QList<quint8> kinds(length, kNoLine);
        for (int s = 1; s < kSpriteSide; ++s) {
            if (starts.at(s) >= starts.at(s + 1))
                continue;   // a pixel not shown at this zoom
            if (tileGrid && s % kTileSide == 0)
                kinds[starts.at(s)] = kTileLine;
            else if (pixels)
                kinds[starts.at(s)] = kPixelLine;
        }
        return kinds;
    };
    columnLines = lines(columnStart, size.width());
    rowLines = lines(rowStart, size.height());
    drawGrids(scaled.rect());
}

void SpriteView::drawGrids(const QRect &zoomedRect)
{
    if (!pixelGrid && !tileGrid)
        return;
    const QRgb colors[3] = {0, pixelColor.rgba(), tileColor.rgba()};
    // Blends a line colour over a pixel once, also where two lines cross.
    const auto blend = [&](QRgb &pixel, int kind) {
        const QRgb over = colors[kind];
        const int a = qAlpha(over);
        const auto mix = [a](int top, int bottom) { return (top * a + bottom * (255 - a) + 127) / 255; };
        pixel = qRgb(mix(qRed(over), qRed(pixel)), mix(qGreen(over), qGreen(pixel)), mix(qBlue(over), qBlue(pixel)));
    };
    QList<int> lineColumns;
    for (int x = zoomedRect.left(); x <= zoomedRect.right(); ++x)
        if (columnLines.at(x) != kNoLine)
            lineColumns.append(x);
    for (int y = zoomedRect.top(); y <= zoomedRect.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(scaled.scanLine(y));
        const int rowKind = rowLines.at(y);
        if (rowKind != kNoLine) {
            for (int x = zoomedRect.left(); x <= zoomedRect.right(); ++x)
                blend(line[x], std::max<int>(rowKind, columnLines.at(x)));
        } else {
            for (int x : lineColumns)
                blend(line[x], columnLines.at(x));
        }
    }
}

void SpriteView::updateScaled(const QRect &frameRect)
{
    if (scaled.isNull())
        return;
    const int x0 = columnStart.at(frameRect.left()), x1 = columnStart.at(frameRect.right() + 1);
    const int y0 = rowStart.at(frameRect.top()), y1 = rowStart.at(frameRect.bottom() + 1);
    const int *sourceColumns = columns.constData();
    for (int y = y0; y < y1; ++y) {
        QRgb *target = reinterpret_cast<QRgb *>(scaled.scanLine(y));
        if (y > y0 && rows.at(y) == rows.at(y - 1)) {   // the same source row again
            std::memcpy(target + x0, reinterpret_cast<const QRgb *>(scaled.constScanLine(y - 1)) + x0,
                        size_t(x1 - x0) * sizeof(QRgb));
            continue;
        }
        const QRgb *source = reinterpret_cast<const QRgb *>(frame.constScanLine(rows.at(y)));
        for (int x = x0; x < x1; ++x)
            target[x] = source[sourceColumns[x]];
    }
    blendReference(x0, x1, y0, y1);
    if (x1 > x0 && y1 > y0)
        drawGrids(QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)));
}

void SpriteView::blendReference(int x0, int x1, int y0, int y1)
{
    if (referenceZoomed.isNull() || referenceZoomed.size() != scaled.size())
        return;
    // Behind the sprite without knowing its background: nowhere.
    if (!placement.over && backgroundMask().isNull())
        return;
    const QRect area(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
    if (placement.over)
        BlendReference(scaled, referenceZoomed, area);
    else
        BlendReference(scaled, referenceZoomed, area, backgroundMask(), columns.constData(), rows.constData());
}

const QImage &SpriteView::backgroundMask() const
{
    if (slotsShown.isNull()) {
        background = QImage();
        backgroundOf = 0;
    } else if (backgroundOf != slotsShown.cacheKey()) {
        background = QImage(kFrameSize, QImage::Format_Grayscale8);
        for (int y = 0; y < kSpriteSide; ++y) {
            const uchar *in = slotsShown.constScanLine(y);
            uchar *out = background.scanLine(y);
            for (int x = 0; x < kSpriteSide; ++x)
                out[x] = in[x] == 0;
        }
        backgroundOf = slotsShown.cacheKey();
    }
    return background;
}

void SpriteView::setReference(const QImage &picture, const ReferencePlacement &where)
{
    if (picture.isNull() && referencePicture.isNull())
        return;
    if (picture.cacheKey() == referencePicture.cacheKey() && where == placement)
        return;
    referencePicture = picture;
    placement = where;
    referenceZoomed = QImage();   // made again at the zoomed size
    rebuildScaled();
    update(spriteRect());
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
    rebuildScaled();
    update(spriteRect());
}

void SpriteView::setTileGridVisible(bool visible)
{
    if (tileGrid == visible)
        return;
    tileGrid = visible;
    rebuildScaled();
    update(spriteRect());
}

void SpriteView::setPixelGridColor(const QColor &color)
{
    if (pixelColor == color)
        return;
    pixelColor = color;
    if (pixelGrid) {
        rebuildScaled();
        update(spriteRect());
    }
}

void SpriteView::setTileGridColor(const QColor &color)
{
    if (tileColor == color)
        return;
    tileColor = color;
    if (tileGrid) {
        rebuildScaled();
        update(spriteRect());
    }
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
    keyStroke = false;
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

void SpriteView::paintNow()
{
    if (!unpainted.isEmpty())
        repaint(unpainted);
    unpainted = QRect();
}

void SpriteView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area = spriteRect();
    // Around the sprite, what the parent would have painted there.
    const QWidget *under = parentWidget() ? parentWidget() : this;
    const QBrush background = under->palette().brush(under->backgroundRole());
    for (const QRect &rect : QRegion(event->rect()).subtracted(scaled.isNull() ? QRect() : area))
        painter.fillRect(rect, background);
    // An animation's step repaints inside the frame: its border stays as it is.
    if (!contentsRect().contains(event->rect()))
        drawFrame(&painter);
    const QRect dirty = event->rect() & area;
    if (scaled.isNull() || dirty.isEmpty())
        return;
    painter.drawImage(dirty.topLeft(), scaled, dirty.translated(-area.topLeft()));
    drawSelectionOverlay(painter);
    if (hasFocus()) {
        // The keyboard's cursor: a light outline inside a dark one, seen on any colour.
        const QRect pixel = zoomedRectOf(QRect(cursor, QSize(1, 1)));
        painter.setPen(Qt::black);
        painter.drawRect(pixel.adjusted(-1, -1, 0, 0));
        painter.setPen(Qt::white);
        painter.drawRect(pixel.adjusted(0, 0, -1, -1));
    }
}

void SpriteView::setSelectionOverlay(const QRect &rect, const QImage &piece, QPoint pieceAt)
{
    const QRect before = selectionOverlayArea();
    marquee = rect.normalized() & QRect(QPoint(0, 0), kFrameSize);
    floatingPiece = piece;
    floatingAt = pieceAt;
    update(before | selectionOverlayArea());
}

QRect SpriteView::selectionOverlayArea() const
{
    if (scaled.isNull())
        return QRect();
    const QRect frameRect(QPoint(0, 0), kFrameSize);
    QRect covered;
    if (!marquee.isEmpty())
        covered = zoomedRectOf(marquee).adjusted(-1, -1, 1, 1);
    const QRect piece = QRect(floatingAt, floatingPiece.size()) & frameRect;
    if (!floatingPiece.isNull() && !piece.isEmpty())
        covered |= zoomedRectOf(piece);
    return covered;
}

void SpriteView::drawSelectionOverlay(QPainter &painter)
{
    const QRect frameRect(QPoint(0, 0), kFrameSize);
    const QRect piece = QRect(floatingAt, floatingPiece.size()) & frameRect;
    if (!floatingPiece.isNull() && !piece.isEmpty())
        painter.drawImage(zoomedRectOf(piece), floatingPiece, piece.translated(-floatingAt));
    if (marquee.isEmpty())
        return;
    // Dashes of black over white, seen on any colour.
    const QRect outline = zoomedRectOf(marquee).adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(outline);
    QPen dashes(Qt::black, 1, Qt::CustomDashLine);
    dashes.setDashPattern({4, 4});
    painter.setPen(dashes);
    painter.drawRect(outline);
}

void SpriteView::updateCursor()
{
    if (!scaled.isNull())
        update(zoomedRectOf(QRect(cursor, QSize(1, 1))).adjusted(-1, -1, 1, 1));
}

void SpriteView::setPixelCursor(QPoint shown)
{
    shown = QPoint(std::clamp(shown.x(), 0, kSpriteSide - 1), std::clamp(shown.y(), 0, kSpriteSide - 1));
    if (shown == cursor)
        return;
    updateCursor();
    cursor = shown;
    updateCursor();
    const SpriteViewPointer pointer = pointerAtPixel(cursor, Qt::NoModifier);
    emit cursorMoved(cursor, pointer.stored);
}

SpriteViewPointer SpriteView::pointerAtPixel(QPoint shown, Qt::KeyboardModifiers modifiers) const
{
    SpriteViewPointer pointer;
    if (scaled.isNull())
        return pointer;
    pointer.shown = shown;
    pointer.stored = StoredPixelOf(shown, viewMapping.mirrored, viewMapping.offset);
    pointer.modifiers = modifiers;
    pointer.keyboard = true;
    return pointer;
}

void SpriteView::keyPressEvent(QKeyEvent *event)
{
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 8 : 1;
    QPoint move;
    switch (event->key()) {
    case Qt::Key_Left: move = {-step, 0}; break;
    case Qt::Key_Right: move = {step, 0}; break;
    case Qt::Key_Up: move = {0, -step}; break;
    case Qt::Key_Down: move = {0, step}; break;
    case Qt::Key_Space:
        event->accept();
        if (event->isAutoRepeat() || isStrokeActive() || scaled.isNull())
            return;
        {
            SpriteViewPointer pointer = pointerAtPixel(cursor, event->modifiers());
            pointer.button = Qt::LeftButton;
            pointer.buttons = Qt::LeftButton;
            strokeButton = Qt::LeftButton;
            strokeShown = cursor;
            keyStroke = true;
            emit pixelPressed(pointer);
        }
        return;
    default:
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    const QPoint before = cursor;
    setPixelCursor(cursor + move);
    if (keyStroke && cursor != before) {
        SpriteViewPointer pointer = pointerAtPixel(cursor, event->modifiers());
        pointer.buttons = Qt::LeftButton;
        strokeShown = cursor;
        emit pixelMoved(pointer);
    }
}

void SpriteView::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || !keyStroke)
        return;
    SpriteViewPointer pointer = pointerAtPixel(cursor, event->modifiers());
    pointer.button = Qt::LeftButton;
    strokeButton = Qt::NoButton;
    strokeShown.reset();
    keyStroke = false;
    emit pixelReleased(pointer);
}

void SpriteView::mousePressEvent(QMouseEvent *event)
{
    hoverAt(event->position());
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
    if (keyStroke)
        return;   // Space draws: the mouse only hovers
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
    if (!isStrokeActive() || keyStroke || event->button() != strokeButton) {
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

bool SpriteView::event(QEvent *event)
{
    if (event->type() == QEvent::UngrabMouse)
        endStroke();
    return QLabel::event(event);
}

void SpriteView::focusInEvent(QFocusEvent *event)
{
    updateCursor();
    QLabel::focusInEvent(event);
}

void SpriteView::focusOutEvent(QFocusEvent *event)
{
    updateCursor();
    endStroke();
    QLabel::focusOutEvent(event);
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
