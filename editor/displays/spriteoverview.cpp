#include "editor/displays/spriteoverview.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QScrollArea>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "view/checkerboard.h"
#include "view/spritecomposer.h"
#include "view/tilecounts.h"
#include "view/viewtable.h"

namespace {

constexpr int kSide = 48;
constexpr int kSpriteCount = 45;

QPixmap UnusedMark(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(QColor(0xe8, 0xe8, 0xe8));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0xb0, 0xb0, 0xb0));
    painter.drawLine(0, 0, side - 1, side - 1);
    painter.drawLine(0, side - 1, side - 1, 0);
    return pixmap;
}

} // namespace

SpriteOverview::SpriteOverview(const CarDocument &document, Selection &selection, QWidget *parent)
    : QWidget(parent), document(document), selection(selection)
{
    setObjectName(QStringLiteral("spriteOverview"));
    setAccessibleName(tr("Sprites"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
    // Cells as small as their sprites; the one on show framed.
    setStyleSheet(QStringLiteral("QToolButton { padding: 0px; border: 1px solid transparent; }"
                                 "QToolButton:checked { border: 1px solid #1a73e8; }"));
    cells = QList<QToolButton *>(kSpriteCount, nullptr);
    for (int row = 0; row < kTiltRows; ++row) {
        for (int column = 0; column < kRotationColumns; ++column) {
            const int number = ViewSpriteTable[row][column];
            if (number < 1 || number > kSpriteCount || cells.at(number - 1)) {
                auto *unused = new QLabel(this);
                unused->setObjectName(QStringLiteral("unusedCell"));
                unused->setToolTip(tr("no sprite for this view"));
                grid->addWidget(unused, row, column);
                continue;
            }
            auto *button = new QToolButton(this);
            button->setObjectName(QStringLiteral("overviewSprite%1").arg(number));
            button->setCheckable(true);
            button->setAutoRaise(true);
            button->setFocusPolicy(Qt::TabFocus);
            button->installEventFilter(this);
            connect(button, &QToolButton::clicked, this, [this, number] {
                this->selection.setSprite(number - 1);
                marking.now();
            });
            grid->addWidget(button, row, column);
            cells[number - 1] = button;
        }
    }
    connect(&document, &CarDocument::tablesChanged, this, [this](const TableChanges &changes) {
        const int car = this->selection.car();
        if (changes.everything || changes.palettes.contains(this->selection.palette())) {
            refresh();
            return;
        }
        for (const auto &[changedCar, sprite] : changes.sprites)
            if (changedCar == car)
                drawCell(sprite);
    });
    connect(&document, &CarDocument::backgroundChanged, this, &SpriteOverview::refresh);
    connect(&document, &CarDocument::loaded, this, &SpriteOverview::refresh);
    // A change of the sprite on show only moves the frame from one cell to
    // another; each repaint of this window is a round trip to the display.
    connect(&selection, &Selection::changed, this, [this](Selection::Parts parts) {
        if (parts & (Selection::Car | Selection::Palette | Selection::Colors))
            refresh();
        else if (parts & Selection::Sprite)
            marking.follow(parts);
    });
    refresh();
}

void SpriteOverview::setScale(int scale)
{
    pixelScale = scale == 2 ? 2 : 1;
    refresh();
}

void SpriteOverview::setCheckerboard(bool on)
{
    checker = on;
    refresh();
}

QToolButton *SpriteOverview::cell(int spriteNumber) const
{
    return spriteNumber >= 1 && spriteNumber <= kSpriteCount ? cells.at(spriteNumber - 1) : nullptr;
}

void SpriteOverview::refresh()
{
    const int side = kSide * pixelScale;
    for (QLabel *unused : findChildren<QLabel *>(QStringLiteral("unusedCell")))
        if (unused->pixmap().width() != side)
            unused->setPixmap(UnusedMark(side));
    for (int index = 0; index < kSpriteCount; ++index)
        drawCell(index);
    marking.now();
}

void SpriteOverview::markCurrent()
{
    const int current = selection.sprite();
    for (int index = 0; index < kSpriteCount; ++index) {
        QToolButton *button = cells.at(index);
        // Only the two cells whose state differs are touched.
        if (button && button->isChecked() != (index == current))
            button->setChecked(index == current);
    }
}

void SpriteOverview::drawCell(int index)
{
    QToolButton *button = index >= 0 && index < kSpriteCount ? cells.at(index) : nullptr;
    if (!button)
        return;
    const int side = kSide * pixelScale;
    const int car = selection.car();
    const SpriteTable &sprites = document.sprites();
    const SpriteTable &original = document.original().sprites;
    const bool known = car >= 0 && car < sprites.size() && index < sprites.at(car).size();
    const bool changed = known && (car >= original.size() || index >= original.at(car).size()
                                   || sprites.at(car).at(index) != original.at(car).at(index));
    QImage picture = ComposeDocumentSprite(document, {car, index, selection.palette(), false, false, true, selection.colorModel()});
    if (checker && known)
        picture = WithCheckerboard(picture, ComposeSpriteSlots(&sprites.at(car).at(index),
                                                               PendingOffset(document, car, index), false, false));
    QPixmap pixmap = QPixmap::fromImage(picture.scaled(side, side));
    if (changed) {
        QPainter painter(&pixmap);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(220, 30, 30));
        const int mark = 6 * pixelScale;
        painter.drawPolygon(QPolygon({QPoint(side - mark, 0), QPoint(side, 0), QPoint(side, mark)}));
    }
    button->setIcon(QIcon(pixmap));
    button->setIconSize(QSize(side, side));
    const QString name = changed ? tr("sprite %1, changed").arg(index + 1) : tr("sprite %1").arg(index + 1);
    button->setAccessibleName(name);
    button->setToolTip(name);
}

QToolButton *SpriteOverview::neighbour(int from, int dx, int dy) const
{
    const ViewParameters at = FindParametersBySprite(from + 1);
    if (!at.found)
        return nullptr;
    int column = at.rotation + dx;
    int row = at.tilt - kMinTilt + dy;
    for (; column >= 0 && column < kRotationColumns && row >= 0 && row < kTiltRows; column += dx, row += dy)
        if (QToolButton *next = cell(ViewSpriteTable[row][column]))
            return next;
    return nullptr;
}

bool SpriteOverview::eventFilter(QObject *watched, QEvent *event)
{
    const int index = cells.indexOf(qobject_cast<QToolButton *>(watched));
    if (index >= 0 && event->type() == QEvent::ToolTip)
        cells.at(index)->setToolTip(tileToolTip(index));   // counted when asked: a car takes about 0.4 ms
    if (index < 0 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QWidget::eventFilter(watched, event);
    int dx = 0;
    int dy = 0;
    switch (key->key()) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        cells.at(index)->click();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
    if (QToolButton *next = neighbour(index, dx, dy)) {
        next->setFocus(Qt::OtherFocusReason);
        // In the scrolling tool window, the focused cell comes into view.
        if (auto *area = qobject_cast<QScrollArea *>(parentWidget() ? parentWidget()->parentWidget() : nullptr))
            area->ensureWidgetVisible(next);
    }
    return true;
}

QString SpriteOverview::tileToolTip(int index) const
{
    const int car = selection.car();
    const SpriteTable &sprites = document.sprites();
    QString name = cells.at(index) ? cells.at(index)->accessibleName() : QString();
    if (car < 0 || car >= sprites.size())
        return name;
    const QList<TileKind> kinds = ClassifyCarTiles(sprites.at(car));
    const TileCounts sprite = CountSpriteTiles(kinds, index);
    const TileCounts all = CountTiles(kinds);
    return tr("%1\nTiles of the sprite: %L2 used, %L3 empty, %L4 duplicate, %L5 bytes, %L6 shared\n"
              "Tiles of the car: %L7 used, %L8 empty, %L9 duplicate, %L10 bytes, %L11 shared")
        .arg(name)
        .arg(sprite.used)
        .arg(sprite.empty)
        .arg(sprite.duplicate)
        .arg(sprite.vramBytes())
        .arg(sprite.vramBytesShared())
        .arg(all.used)
        .arg(all.empty)
        .arg(all.duplicate)
        .arg(all.vramBytes())
        .arg(all.vramBytesShared());
}
