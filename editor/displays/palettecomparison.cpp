#include "editor/displays/palettecomparison.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QPainter>
#include <QPaintEvent>

#include "document/cardocument.h"
#include "document/documenttables.h"
#include "document/shownsprite.h"
#include "editor/state/shownnames.h"
#include "palette/palettenames.h"
#include "view/zoom.h"

namespace {

constexpr int kColumns = 5;
constexpr int kFrame = 2;   // the frame of the palette on show

} // namespace

// One palette's picture, zoomed when painted, and its name under it.
class PaletteCell : public QAbstractButton
{
public:
    PaletteCell(int palette, QWidget *parent) : QAbstractButton(parent), palette(palette)
    {
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
    }

    const int palette;
    QImage picture;   // 48 x 48
    QSize zoomed;
    QString caption;

    QSize sizeHint() const override
    {
        const QSize text = fontMetrics().size(Qt::TextSingleLine, caption);
        return QSize(std::max(zoomed.width(), text.width()) + 2 * kFrame, zoomed.height() + text.height() + 3 * kFrame);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect area(QPoint((width() - zoomed.width()) / 2, kFrame), zoomed);
        painter.drawImage(area, picture);
        if (isChecked() || hasFocus()) {
            painter.setPen(QPen(isChecked() ? QColor(0x1a, 0x73, 0xe8) : palette_().color(QPalette::Highlight),
                                isChecked() ? kFrame : 1, isChecked() ? Qt::SolidLine : Qt::DotLine));
            painter.drawRect(QRectF(area).adjusted(-kFrame / 2.0, -kFrame / 2.0, kFrame / 2.0, kFrame / 2.0));
        }
        painter.setPen(palette_().color(QPalette::WindowText));
        painter.drawText(QRect(0, area.bottom() + kFrame, width(), height() - area.bottom() - kFrame),
                         Qt::AlignHCenter | Qt::AlignTop, caption);
    }

private:
    const QPalette &palette_() const { return QWidget::palette(); }
};

PaletteComparison::PaletteComparison(const CarDocument &document, Selection &selection, QWidget *parent)
    : QWidget(parent), document(document), selection(selection)
{
    setObjectName(QStringLiteral("paletteComparison"));
    setAccessibleName(tr("Palettes"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(4);
    const QStringList names = PaletteNames();
    for (int p = 0; p < kPalettes; ++p) {
        auto *cell = new PaletteCell(p, this);
        cell->setObjectName(QStringLiteral("paletteCell%1").arg(p + 1));
        const QString name = names.value(p);
        // The unnamed palettes ("-") go by their number alone.
        cell->caption = name == QLatin1String("-") ? tr("Palette %1").arg(p + 1)
                                                   : tr("%1, palette %2").arg(ShownName(name)).arg(p + 1);
        cell->setAccessibleName(cell->caption);
        cell->setToolTip(tr("Show the sprite in this palette"));
        connect(cell, &QAbstractButton::clicked, this, [this, p] {
            this->selection.setPalette(p);
            markCurrent();
        });
        grid->addWidget(cell, p / kColumns, p % kColumns);
        cells << cell;
    }
    connect(&selection, &Selection::changed, this, &PaletteComparison::selectionChanged);
    connect(&document, &CarDocument::tablesChanged, this, &PaletteComparison::tablesChanged);
    connect(&document, &CarDocument::backgroundChanged, this, &PaletteComparison::refresh);
    connect(&document, &CarDocument::loaded, this, &PaletteComparison::refresh);
    refresh();
}

QWidget *PaletteComparison::cell(int palette) const
{
    return cells.value(palette);
}

QImage PaletteComparison::cellPicture(int palette) const
{
    return palette >= 0 && palette < cells.size() ? cells.at(palette)->picture : QImage();
}

QSize PaletteComparison::sizeHint() const
{
    return layout()->sizeHint();
}

void PaletteComparison::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (stale)
        refresh();
}

void PaletteComparison::selectionChanged(Selection::Parts parts)
{
    constexpr int composed = Selection::Car | Selection::Sprite | Selection::Mirrored | Selection::WheelsTurned
        | Selection::Colors;
    if (parts & Selection::Zoom)
        layOut();
    if (parts & composed)
        refresh();
    else if (parts & Selection::Palette)
        markCurrent();
}

void PaletteComparison::tablesChanged(const TableChanges &changes)
{
    if (changes.touchesSprite(selection.car(), selection.sprite())) {
        refresh();
        return;
    }
    for (const int palette : changes.palettes)
        if (palette >= 0 && palette < cells.size()) {
            if (isVisible())
                compose(palette);
            else
                stale = true;
        }
}

void PaletteComparison::compose(int palette)
{
    PaletteCell *cell = cells.at(palette);
    cell->picture = ComposeDocumentSprite(document, {selection.car(), selection.sprite(), palette, selection.mirrored(),
                                                     selection.wheelsTurned(), true, selection.colorModel()});
    cell->update();
}

void PaletteComparison::refresh()
{
    layOut();   // the size is wanted before the window shows
    if (!isVisible()) {
        stale = true;
        return;
    }
    stale = false;
    for (int p = 0; p < cells.size(); ++p)
        compose(p);
    markCurrent();
}

void PaletteComparison::layOut()
{
    const QSize zoomed = ZoomedSize(QSize(kSpriteSide, kSpriteSide), selection.zoom());
    if (!cells.isEmpty() && cells.first()->zoomed == zoomed)
        return;
    for (PaletteCell *cell : cells) {
        cell->zoomed = zoomed;
        cell->updateGeometry();
        cell->update();
    }
    adjustSize();
}

void PaletteComparison::markCurrent()
{
    for (PaletteCell *cell : cells)
        if (cell->isChecked() != (cell->palette == selection.palette()))
            cell->setChecked(cell->palette == selection.palette());
}
