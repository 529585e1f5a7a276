#include "editor/displays/hardwaretilesdisplay.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "document/cardocument.h"
#include "document/documenttables.h"
#include "document/shownsprite.h"
#include "editor/displays/spriteview.h"

namespace {

// The frame rectangle (0..48) where stored tile `tile` (storage order) shows:
// strips of three tiles stacked, six strips a row, moved by the offset
// (x right, y up) and then mirrored.
QRect ShownTileRect(int tile, QPoint offset, bool mirrored)
{
    const int strip = tile / 3;
    QRect rect(kTileSide * (strip % 6) + offset.x(), 24 * (strip / 6) + kTileSide * (tile % 3) - offset.y(), kTileSide,
               kTileSide);
    if (mirrored)
        rect.moveLeft(kSpriteSide - rect.left() - kTileSide);
    return rect;
}

} // namespace

// Draws over the view's picture, letting the mouse through to it.
class TileOverlay : public QWidget
{
public:
    explicit TileOverlay(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("hardwareTiles"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

    QList<TileKind> kinds;   // the sprite's 36 tiles
    QPoint offset;
    bool mirrored = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setClipRect(rect());
        const double sx = width() / double(kSpriteSide), sy = height() / double(kSpriteSide);
        const auto zoomed = [sx, sy](const QRect &frame) {
            return QRectF(frame.x() * sx, frame.y() * sy, frame.width() * sx, frame.height() * sy);
        };
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (int tile = 0; tile < kinds.size(); ++tile) {
            const QRectF area = zoomed(ShownTileRect(tile, offset, mirrored));
            if (kinds[tile] == TileKind::Empty) {
                painter.setPen(QPen(QColor(120, 120, 120, 150), 1));
                painter.drawLine(area.topLeft(), area.bottomRight());
                painter.drawLine(area.topRight(), area.bottomLeft());
            } else if (kinds[tile] == TileKind::Duplicate) {
                painter.fillRect(area, QColor(255, 140, 0, 90));
            }
            painter.setPen(QPen(QColor(0, 150, 255, 200), 1));
            painter.drawRect(area.adjusted(0, 0, -1, -1));
        }
        // The four hardware sprites of 3 x 3 tiles: the first tile of each.
        painter.setPen(QPen(QColor(255, 220, 0), 2));
        for (const int first : {0, 9, 18, 27}) {
            const QRect corner = ShownTileRect(first, offset, mirrored);
            const QRect block(mirrored ? corner.right() + 1 - 24 : corner.left(), corner.top(), 24, 24);
            painter.drawRect(zoomed(block).adjusted(1, 1, -1, -1));
        }
    }
};

HardwareTilesDisplay::HardwareTilesDisplay(const CarDocument &document, const Selection &selection, SpriteView &view,
                                           QObject *parent)
    : QObject(parent), document(document), selection(selection), view(view), overlay(new TileOverlay(&view)),
      label(new QLabel(view.window()))
{
    setObjectName(QStringLiteral("hardwareTilesDisplay"));
    label->setObjectName(QStringLiteral("labelTileCounts"));
    label->hide();
    // The picture moves in the view when the view's size changes.
    view.installEventFilter(this);
    connect(&selection, &Selection::changed, this, &HardwareTilesDisplay::selectionChanged);
    connect(&document, &CarDocument::tablesChanged, this, &HardwareTilesDisplay::tablesChanged);
    connect(&document, &CarDocument::loaded, this, [this] {
        kinds.clear();
        place();
    });
}

void HardwareTilesDisplay::setShown(bool on)
{
    if (shown == on)
        return;
    shown = on;
    overlay->setVisible(on);
    label->setVisible(on);
    place();
    // Once more when the view has its new size.
    QTimer::singleShot(0, this, &HardwareTilesDisplay::place);
}

void HardwareTilesDisplay::countCar(int car)
{
    if (car < 0 || car >= document.sprites().size())
        return;
    if (kinds.size() < document.sprites().size())
        kinds.resize(document.sprites().size());
    kinds[car] = ClassifyCarTiles(document.sprites().at(car));
}

QList<TileKind> HardwareTilesDisplay::spriteKinds() const
{
    const QList<TileKind> car = kinds.value(selection.car());
    if ((selection.sprite() + 1) * kTilesPerSprite > car.size())
        return {};
    return car.mid(selection.sprite() * kTilesPerSprite, kTilesPerSprite);
}

TileCounts HardwareTilesDisplay::spriteCounts() const
{
    return CountTiles(spriteKinds());
}

TileCounts HardwareTilesDisplay::carCounts() const
{
    return CountTiles(kinds.value(selection.car()));
}

bool HardwareTilesDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &view && event->type() == QEvent::Resize)
        place();
    return QObject::eventFilter(watched, event);
}

void HardwareTilesDisplay::selectionChanged(Selection::Parts parts)
{
    if (shown && (parts & Selection::kFrameParts))
        place();
}

void HardwareTilesDisplay::tablesChanged(const TableChanges &changes)
{
    if (changes.everything) {
        kinds.clear();
    } else {
        for (const auto &[car, sprite] : changes.sprites)
            if (car >= 0 && car < kinds.size())
                kinds[car].clear();
    }
    if (shown)
        place();
}

void HardwareTilesDisplay::place()
{
    if (!shown)
        return;
    const int car = selection.car();
    if (kinds.value(car).isEmpty())
        countCar(car);
    overlay->kinds = spriteKinds();
    overlay->offset = PendingOffset(document, car, selection.sprite());
    overlay->mirrored = selection.mirrored();
    overlay->setGeometry(view.spriteRect());
    overlay->raise();
    overlay->update();

    const TileCounts sprite = spriteCounts();
    const TileCounts all = carCounts();
    label->setToolTip(tr("Tiles: sprite %L1 used, %L2 empty, %L3 duplicate; car %L4 used, %L5 empty, %L6 duplicate, "
                      "%L7 bytes, %L8 shared")
                       .arg(sprite.used)
                       .arg(sprite.empty)
                       .arg(sprite.duplicate)
                       .arg(all.used)
                       .arg(all.empty)
                       .arg(all.duplicate)
                       .arg(all.vramBytes())
                       .arg(all.vramBytesShared()));
    label->setAccessibleName(label->toolTip());
    // The line in short; the tooltip and the screen reader have it in words.
    label->setText(tr("Tiles %L1/%L2/%L3, car %L4/%L5/%L6, %L7 B, %L8 B shared")
                       .arg(sprite.used)
                       .arg(sprite.empty)
                       .arg(sprite.duplicate)
                       .arg(all.used)
                       .arg(all.empty)
                       .arg(all.duplicate)
                       .arg(all.vramBytes())
                       .arg(all.vramBytesShared()));
}
