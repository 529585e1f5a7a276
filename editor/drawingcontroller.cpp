#include "editor/drawingcontroller.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/drawingindexstrip.h"
#include "editor/spriteview.h"
#include "editor/spriteviewcontroller.h"
#include "ui_skmcareditor.h"

namespace {

const QString kPixelGridKey = QStringLiteral("view/pixelGrid");
const QString kTileGridKey = QStringLiteral("view/tileGrid");

struct ToolInfo
{
    DrawingController::Tool tool;
    const char *name;
    const char *objectName;
    const char *tip;
};

const ToolInfo kTools[] = {
    {DrawingController::Tool::Pencil, "Pencil", "toolPencil",
     "Pencil: left button draws the drawing index, right button index 0; Shift+click draws a line"},
    {DrawingController::Tool::Fill, "Fill", "toolFill",
     "Fill: fills the connected area of one index with the drawing index (right button: index 0)"},
    {DrawingController::Tool::Picker, "Picker", "toolPicker",
     "Picker: takes the clicked pixel's index as the drawing index (Ctrl+click in any tool)"},
};

} // namespace

QAction *DrawingController::GridAction(const QString &text, const QString &name, const QString &key,
                                       void (SpriteView::*show)(bool))
{
    // Checkable, remembered between runs, off at first.
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(QSettings().value(key, false).toBool());
    (view->*show)(action->isChecked());
    SpriteView *target = view;
    connect(action, &QAction::toggled, this, [target, key, show](bool on) {
        (target->*show)(on);
        QSettings().setValue(key, on);
    });
    return action;
}

DrawingController::DrawingController(EditorContext &context, SpriteViewController &viewController, QObject *parent)
    : QObject(parent), context(context), viewControl(viewController), view(context.ui->labelSprite)
{
    setObjectName(QStringLiteral("drawingController"));
    BuildTools();

    pixelGridAction = GridAction(tr("Pixel Grid"), QStringLiteral("actionPixelGrid"), kPixelGridKey,
                                 &SpriteView::setPixelGridVisible);
    tileGridAction = GridAction(tr("Tile Grid"), QStringLiteral("actionTileGrid"), kTileGridKey,
                                &SpriteView::setTileGridVisible);

    connect(view, &SpriteView::pixelPressed, this, &DrawingController::Pressed);
    connect(view, &SpriteView::pixelMoved, this, &DrawingController::Moved);
    connect(view, &SpriteView::pixelReleased, this, &DrawingController::Released);
    connect(view, &SpriteView::pixelHovered, this, &DrawingController::Hovered);
    connect(view, &SpriteView::hoverLeft, this, [this] {
        hoverShown.reset();
        hoverStored.reset();
        emit pixelInfo(QString());
    });

    CarDocument *document = context.document;
    connect(context.ui->comboBoxPalette, &QComboBox::currentIndexChanged, this, &DrawingController::ShowColors);
    connect(document, &CarDocument::backgroundChanged, this, &DrawingController::ShowColors);
    connect(document, &CarDocument::tablesChanged, this, &DrawingController::TablesChanged);
    connect(document, &CarDocument::loaded, this, &DrawingController::Abandon);
    // A modal dialog, another window or another application takes the mouse
    // away: the stroke ends as it stands.
    context.window->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            EndStroke();
    });
    ShowColors();
}

void DrawingController::BuildTools()
{
    Ui::SKMcarEditor *ui = context.ui;
    auto *column = new QWidget(view->parentWidget());
    column->setObjectName(QStringLiteral("drawingTools"));
    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    tools = new QButtonGroup(this);
    // Exclusive, but a checked tool can be unchecked to leave the view tools off.
    tools->setExclusive(false);
    for (const ToolInfo &info : kTools) {
        auto *button = new QToolButton(column);
        button->setObjectName(QString::fromLatin1(info.objectName));
        button->setText(tr(info.name));
        button->setAccessibleName(tr(info.name));
        button->setToolTip(tr(info.tip));
        button->setCheckable(true);
        button->setAutoRaise(true);
        tools->addButton(button, int(info.tool));
        row->addWidget(button);
    }
    row->addStretch();
    connect(tools, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            for (QAbstractButton *other : tools->buttons())
                if (tools->id(other) != id)
                    other->setChecked(false);
        }
        if (CurrentTool() == Tool::None) {
            EndStroke();
            view->unsetCursor();
        } else {
            view->setCursor(Qt::CrossCursor);
        }
    });
    strip = new DrawingIndexStrip(column);
    strip->setObjectName(QStringLiteral("drawingIndexStrip"));
    columnLayout->addLayout(row);
    columnLayout->addWidget(strip);
    columnLayout->addStretch();
    ui->horizontalLayout_9->addWidget(column, 0, Qt::AlignTop);
}

QToolButton *DrawingController::ToolButton(Tool tool) const
{
    return qobject_cast<QToolButton *>(tools->button(int(tool)));
}

DrawingController::Tool DrawingController::CurrentTool() const
{
    const int id = tools->checkedId();
    if (id >= 0)
        return Tool(id);
    for (QAbstractButton *button : tools->buttons())
        if (button->isChecked())
            return Tool(tools->id(button));
    return Tool::None;
}

int DrawingController::DrawingIndex() const
{
    return strip->currentIndex();
}

void DrawingController::ShowColors()
{
    strip->setColors(context.CurrentPalette(), context.document->background());
}

void DrawingController::TablesChanged(const TableChanges &changes)
{
    if (changes.touchesPalette(context.CurrentPaletteIndex()))
        ShowColors();
    if (changes.touchesSprite(context.CurrentCar(), context.CurrentSprite()))
        ShowPixelInfo();
}

const SpritePixels *DrawingController::ShownPixels() const
{
    const SpriteTable &sprites = context.document->sprites();
    const int car = context.CurrentCar();
    const int sprite = context.CurrentSprite();
    if (car < 0 || car >= sprites.size() || sprite < 0 || sprite >= sprites.at(car).size())
        return nullptr;
    return &sprites.at(car).at(sprite);
}

void DrawingController::Pick(QPoint stored)
{
    if (const SpritePixels *pixels = ShownPixels())
        if (const std::optional<int> index = PixelIndexAt(*pixels, stored))
            strip->setCurrentIndex(*index);
}

void DrawingController::Pressed(const SpriteViewPointer &pointer)
{
    const Tool tool = CurrentTool();
    if (tool == Tool::None || stroking || !pointer.shown)
        return;
    if (tool == Tool::Picker || (pointer.modifiers & Qt::ControlModifier)) {
        if (pointer.stored)
            Pick(*pointer.stored);
        return;
    }
    const SpritePixels *pixels = ShownPixels();
    if (!pixels)
        return;

    stroking = true;
    filling = tool == Tool::Fill;
    strokeCar = context.CurrentCar();
    strokeSprite = context.CurrentSprite();
    strokeIndex = pointer.button == Qt::RightButton ? 0 : DrawingIndex();
    before = context.document->tables();
    stroke.clear();
    lastShown = pointer.shown;
    // The animation would change the sprite under the pen.
    QTimer &timer = viewControl.AnimationTimer();
    resumeAnimation = timer.isActive();
    timer.stop();
    LockUndo(true);

    if (!pointer.stored)
        return;   // background moved in by the offset: nothing to draw here
    if (filling) {
        Apply(FillChanges(*pixels, *pointer.stored, strokeIndex));
        return;
    }
    const bool line = (pointer.modifiers & Qt::ShiftModifier) && lastDrawn && lastDrawnCar == strokeCar
        && lastDrawnSprite == strokeSprite;
    Apply(LineChanges(*pixels, line ? *lastDrawn : *pointer.stored, *pointer.stored, strokeIndex));
    lastDrawn = pointer.stored;
    lastDrawnCar = strokeCar;
    lastDrawnSprite = strokeSprite;
}

void DrawingController::Moved(const SpriteViewPointer &pointer)
{
    if (!stroking || filling || !pointer.shown || !lastShown)
        return;
    if (context.CurrentCar() != strokeCar || context.CurrentSprite() != strokeSprite)
        return;
    const SpritePixels &pixels = context.document->sprites().at(strokeCar).at(strokeSprite);
    const SpriteViewMapping mapping = view->mapping();
    // Every frame pixel between the last mouse event and this one, so that a
    // fast drag leaves no gaps; the first was drawn by the event before.
    const QList<QPoint> line = LinePixels(*lastShown, *pointer.shown);
    PixelChanges changes;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const std::optional<QPoint> stored = StoredPixelOf(line.at(i), mapping.mirrored, mapping.offset);
        if (!stored)
            continue;
        changes += PointChanges(pixels, *stored, strokeIndex);
        lastDrawn = stored;
    }
    lastShown = pointer.shown;
    Apply(changes);
}

void DrawingController::Apply(const PixelChanges &changes)
{
    if (changes.isEmpty())
        return;
    stroke.add(changes);
    DocumentTables live = context.document->tables();
    ApplyPixelChanges(live.sprites[strokeCar][strokeSprite], changes);
    TableChanges touched;
    touched.sprites.append({strokeCar, strokeSprite});
    context.document->SetLive(live, touched);
}

void DrawingController::Released(const SpriteViewPointer &)
{
    if (!stroking)
        return;
    stroking = false;
    lastShown.reset();
    const QString text = (filling ? tr("Fill on car %1, sprite %2") : tr("Draw on car %1, sprite %2"))
                             .arg(strokeCar + 1)
                             .arg(strokeSprite + 1);
    // A stroke that changed nothing (or drew pixels back as they were) leaves no step.
    if (!stroke.changes().isEmpty())
        context.document->Record(text, {strokeCar, strokeSprite, -1}, before, kDrawCommand);
    before = DocumentTables();
    stroke.clear();
    LockUndo(false);
    if (resumeAnimation)
        viewControl.AnimationTimer().start();
    resumeAnimation = false;
}

void DrawingController::LockUndo(bool locked)
{
    // Undo or redo in the middle of a stroke would mix a step into the
    // stroke's pixels: the keys wait for the release.
    QUndoStack *stack = context.document->undoStack();
    for (QAction *action : context.window->findChildren<QAction *>()) {
        if (action->objectName() == QLatin1String("actionUndo"))
            action->setEnabled(!locked && stack->canUndo());
        else if (action->objectName() == QLatin1String("actionRedo"))
            action->setEnabled(!locked && stack->canRedo());
    }
}

void DrawingController::EndStroke()
{
    if (view->isStrokeActive())
        view->endStroke();   // reports the release
    else if (stroking)
        Released(SpriteViewPointer());
}

void DrawingController::Abandon()
{
    // The ROM was replaced: the stroke's pixels went with the old tables.
    const bool wasStroking = stroking;
    stroking = false;
    lastShown.reset();
    lastDrawn.reset();
    before = DocumentTables();
    stroke.clear();
    view->endStroke();
    if (wasStroking)
        LockUndo(false);
    if (wasStroking && resumeAnimation)
        viewControl.AnimationTimer().start();
    resumeAnimation = false;
    ShowColors();
}

void DrawingController::Hovered(QPoint shown, std::optional<QPoint> stored)
{
    hoverShown = shown;
    hoverStored = stored;
    ShowPixelInfo();
}

void DrawingController::ShowPixelInfo()
{
    if (!hoverShown)
        return;
    QString text = tr("x %1, y %2").arg(hoverShown->x()).arg(hoverShown->y());
    if (hoverStored)
        if (const SpritePixels *pixels = ShownPixels())
            if (const std::optional<int> index = PixelIndexAt(*pixels, *hoverStored))
                text += tr(", index %1").arg(*index);
    emit pixelInfo(text);
}

bool DrawingController::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::WindowBlocked || type == QEvent::WindowDeactivate) && (stroking || view->isStrokeActive()))
        EndStroke();
    return QObject::eventFilter(watched, event);
}
