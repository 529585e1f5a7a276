#include "editor/displays/paletteusedisplay.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWidget>

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "editor/widgets/drawingindexstrip.h"
#include "editor/displays/spriteview.h"

// The outline over the view: a see-through child of the view covering the
// zoomed picture, which draws the segments in black under white dashes so
// that they show on any colour. Mouse events pass through to the view.
class IndexHighlight : public QWidget
{
public:
    explicit IndexHighlight(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("indexHighlight"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

    QList<QLine> lines;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.translate(1, 1);   // the widget reaches a pixel past the picture
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLines(lines);
        QPen dashes(Qt::white, 2, Qt::DashLine);
        painter.setPen(dashes);
        painter.drawLines(lines);
    }
};

PaletteUseDisplay::PaletteUseDisplay(const CarDocument &document, const Selection &selection,
                                     DrawingIndexStrip &strip, SpriteView &view, QObject *parent)
    : QObject(parent), document(document), selection(selection), strip(strip), view(view),
      outline(new IndexHighlight(&view))
{
    setObjectName(QStringLiteral("paletteUseDisplay"));
    highlightTimer.setSingleShot(true);
    highlightTimer.setInterval(kHighlightMs);
    connect(&highlightTimer, &QTimer::timeout, this, &PaletteUseDisplay::endHighlight);
    connect(&selection, &Selection::changed, this, &PaletteUseDisplay::selectionChanged);
    connect(&document, &CarDocument::tablesChanged, this, &PaletteUseDisplay::tablesChanged);
    for (int i = 0; i < DrawingIndexStrip::kIndexCount; ++i)
        strip.swatch(i)->installEventFilter(this);
    refresh();
}

void PaletteUseDisplay::refresh()
{
    const SpriteTable &sprites = document.sprites();
    carCounts.clear();
    spriteCounts.clear();
    for (const QList<SpritePixels> &car : sprites) {
        IndexCounts total{};
        QList<IndexCounts> perSprite;
        perSprite.reserve(car.size());
        for (const SpritePixels &pixels : car) {
            perSprite.append(CountIndices(pixels));
            for (int i = 0; i < kColorsPerPalette; ++i)
                total[i] += perSprite.last()[i];
        }
        carCounts.append(total);
        spriteCounts.append(perSprite);
    }
    counting.now();
}

void PaletteUseDisplay::showCounts()
{
    const SpriteTable &sprites = document.sprites();
    const int car = selection.car();
    const int sprite = selection.sprite();
    IndexCounts shown{};
    if (car >= 0 && car < sprites.size() && sprite >= 0 && sprite < sprites.at(car).size())
        shown = CountIndices(sprites.at(car).at(sprite));
    counts = PaletteUseOf(carCounts, car, shown);
    strip.setUse(counts);
}

void PaletteUseDisplay::selectionChanged(Selection::Parts parts)
{
    // The cars' counts stay as they are: only the sprite on show is counted.
    if (parts & (Selection::Car | Selection::Sprite))
        counting.follow(parts);
    if (highlighted >= 0 && (parts & Selection::kFrameParts))
        placeHighlight();
}

void PaletteUseDisplay::tablesChanged(const TableChanges &changes)
{
    // The counts of other cars are in the tooltips too: any sprite change counts.
    if (!changes.everything && changes.sprites.isEmpty())
        return;
    const SpriteTable &sprites = document.sprites();
    bool sameShape = spriteCounts.size() == sprites.size();
    for (qsizetype car = 0; sameShape && car < sprites.size(); ++car)
        sameShape = spriteCounts.at(car).size() == sprites.at(car).size();
    if (changes.everything || !sameShape) {
        refresh();
    } else {
        for (const auto &[car, sprite] : changes.sprites) {
            if (car < 0 || car >= sprites.size() || sprite < 0 || sprite >= sprites.at(car).size())
                continue;
            const IndexCounts now = CountIndices(sprites.at(car).at(sprite));
            IndexCounts &before = spriteCounts[car][sprite];
            for (int i = 0; i < kColorsPerPalette; ++i)
                carCounts[car][i] += now[i] - before[i];
            before = now;
        }
        counting.now();
    }
    if (highlighted >= 0)
        placeHighlight();
}

bool PaletteUseDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::AltModifier)) {
            for (int i = 0; i < DrawingIndexStrip::kIndexCount; ++i)
                if (strip.swatch(i) == watched) {
                    highlight(i);
                    return true;   // the drawing index stays
                }
        }
    }
    return QObject::eventFilter(watched, event);
}

void PaletteUseDisplay::highlight(int index)
{
    if (index < 0 || index >= DrawingIndexStrip::kIndexCount)
        return;
    highlighted = index;
    placeHighlight();
    highlightTimer.start();
}

int PaletteUseDisplay::highlightedIndex() const
{
    return highlighted;
}

QList<QLine> PaletteUseDisplay::highlightLines() const
{
    return highlighted >= 0 ? outline->lines : QList<QLine>();
}

void PaletteUseDisplay::placeHighlight()
{
    const SpriteTable &sprites = document.sprites();
    const int car = selection.car();
    const int sprite = selection.sprite();
    const SpritePixels *pixels = nullptr;
    if (car >= 0 && car < sprites.size() && sprite >= 0 && sprite < sprites.at(car).size())
        pixels = &sprites.at(car).at(sprite);
    const QList<QLine> frameLines
        = IndexOutline(pixels, highlighted, PendingOffset(document, car, sprite), selection.mirrored());
    // Frame corners to view pixels: the zoomed picture's size over the frame's.
    const QRect area = view.spriteRect();
    const double sx = area.width() / double(kSpriteSide);
    const double sy = area.height() / double(kSpriteSide);
    const auto scaled = [sx, sy](QPoint p) { return QPoint(qRound(p.x() * sx), qRound(p.y() * sy)); };
    outline->lines.clear();
    for (const QLine &line : frameLines)
        outline->lines.append(QLine(scaled(line.p1()), scaled(line.p2())));
    // One pixel of room around the picture for the pen's width at the border.
    outline->setGeometry(area.adjusted(-1, -1, 1, 1));
    outline->show();
    outline->raise();
    outline->update();
}

void PaletteUseDisplay::endHighlight()
{
    highlighted = -1;
    outline->hide();
    outline->lines.clear();
}
