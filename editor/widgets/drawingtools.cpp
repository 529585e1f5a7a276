#include "editor/widgets/drawingtools.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/cardocument.h"
#include "editor/widgets/drawingindexstrip.h"

namespace {

struct ToolInfo
{
    Selection::Tool tool;
    const char *name;
    const char *objectName;
    const char *tip;
};

const ToolInfo kTools[] = {
    {Selection::Tool::Pencil, QT_TRANSLATE_NOOP("DrawingTools", "Pencil"), "toolPencil",
     QT_TRANSLATE_NOOP("DrawingTools", "Pencil: left button draws the drawing index, right button index 0; Shift+click draws a line")},
    {Selection::Tool::Fill, QT_TRANSLATE_NOOP("DrawingTools", "Fill"), "toolFill",
     QT_TRANSLATE_NOOP("DrawingTools", "Fill: fills the connected area of one index with the drawing index (right button: index 0)")},
    {Selection::Tool::Picker, QT_TRANSLATE_NOOP("DrawingTools", "Picker"), "toolPicker",
     QT_TRANSLATE_NOOP("DrawingTools", "Picker: takes the clicked pixel's index as the drawing index (Ctrl+click in any tool)")},
    {Selection::Tool::Select, QT_TRANSLATE_NOOP("DrawingTools", "Select"), "toolSelect",
     QT_TRANSLATE_NOOP("DrawingTools", "Select: drag a rectangle (Shift+arrows from the cursor), drag it or press the arrows to move its pixels; Edit menu: cut, copy, paste, flip")},
};

// The shapes, in a row of their own: press at one end, drag, let go.
const ToolInfo kShapeTools[] = {
    {Selection::Tool::Line, QT_TRANSLATE_NOOP("DrawingTools", "Line"), "toolLine",
     QT_TRANSLATE_NOOP("DrawingTools", "Line: drag from one end to the other; Shift keeps it to steps of 45 degrees")},
    {Selection::Tool::Rectangle, QT_TRANSLATE_NOOP("DrawingTools", "Rectangle"), "toolRectangle",
     QT_TRANSLATE_NOOP("DrawingTools", "Rectangle: drag from one corner to the other; Shift draws a square")},
    {Selection::Tool::Ellipse, QT_TRANSLATE_NOOP("DrawingTools", "Ellipse"), "toolEllipse",
     QT_TRANSLATE_NOOP("DrawingTools", "Ellipse: drag across the rectangle it fills; Shift draws a circle")},
};

// Every tool is a Tab stop: a button of a group that takes the focus would
// otherwise leave the Tab key to itself alone (the arrows move between them).
class ToolButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QToolButton::focusInEvent(event);
        if (group())
            for (QAbstractButton *button : group()->buttons())
                button->setFocusPolicy(Qt::FocusPolicy(button->focusPolicy() | Qt::TabFocus));
    }
};

} // namespace

DrawingTools::DrawingTools(const CarDocument &document, Selection &selection, QWidget *parent)
    : QWidget(parent), document(document), selection(selection)
{
    setObjectName(QStringLiteral("drawingTools"));
    auto *columnLayout = new QVBoxLayout(this);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    tools = new QButtonGroup(this);
    // One at most, but the checked tool can be unchecked to leave the view tools off.
    tools->setExclusive(false);
    auto *shapeRow = new QHBoxLayout;
    shapeRow->setSpacing(2);
    auto *selectRow = new QHBoxLayout;
    selectRow->setSpacing(2);
    const auto addTool = [this](const ToolInfo &info, QHBoxLayout *into) {
        auto *button = new ToolButton(this);
        button->setObjectName(QString::fromLatin1(info.objectName));
        button->setText(tr(info.name));
        button->setAccessibleName(tr(info.name));
        button->setToolTip(tr(info.tip));
        button->setCheckable(true);
        button->setAutoRaise(true);
        tools->addButton(button, int(info.tool));
        into->addWidget(button);
    };
    // The selection, a tool of another kind, has a row of its own below the
    // shapes (which keeps the column narrow enough at scale 2).
    for (const ToolInfo &info : kTools)
        addTool(info, info.tool == Selection::Tool::Select ? selectRow : row);
    row->addStretch();
    selectRow->addStretch();
    for (const ToolInfo &info : kShapeTools)
        addTool(info, shapeRow);
    shapeRow->addStretch();
    // The switches of every drawing tool, beside the shapes.
    const auto makeSwitch = [this](const char *name, const char *objectName, const char *tip) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(objectName));
        button->setText(tr(name));
        button->setAccessibleName(tr(name));
        button->setToolTip(tr(tip));
        button->setCheckable(true);
        button->setAutoRaise(true);
        return button;
    };
    filled = makeSwitch(QT_TR_NOOP("Filled"), "toolFilled", QT_TR_NOOP("Rectangles and ellipses are drawn filled"));
    symmetry = makeSwitch(QT_TR_NOOP("Mirror Symmetry"), "toolMirrorSymmetry",
                          QT_TR_NOOP("Every tool also draws the mirror image about the sprite's middle column"));
    filled->setChecked(selection.shapesFilled());
    symmetry->setChecked(selection.mirrorSymmetry());
    connect(filled, &QToolButton::toggled, &selection, &Selection::setShapesFilled);
    connect(symmetry, &QToolButton::toggled, &selection, &Selection::setMirrorSymmetry);
    auto *switchRow = new QHBoxLayout;
    switchRow->setSpacing(2);
    switchRow->addWidget(filled);
    switchRow->addWidget(symmetry);
    switchRow->addStretch();
    connect(tools, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            this->selection.setTool(Selection::Tool(id));
        else if (this->selection.tool() == Selection::Tool(id))
            this->selection.setTool(Selection::Tool::None);
    });
    strip = new DrawingIndexStrip(this);
    strip->setObjectName(QStringLiteral("drawingIndexStrip"));
    strip->setCurrentIndex(selection.drawingIndex());
    connect(strip, &DrawingIndexStrip::currentIndexChanged, &selection, &Selection::setDrawingIndex);
    columnLayout->addLayout(row);
    columnLayout->addLayout(shapeRow);
    columnLayout->addLayout(selectRow);
    columnLayout->addLayout(switchRow);
    columnLayout->addWidget(strip);
    columnLayout->addStretch();

    connect(&selection, &Selection::changed, this, &DrawingTools::selectionChanged);
    connect(&document, &CarDocument::tablesChanged, this, &DrawingTools::tablesChanged);
    connect(&document, &CarDocument::backgroundChanged, this, &DrawingTools::showColors);
    showColors();
}

QToolButton *DrawingTools::toolButton(Selection::Tool tool) const
{
    return qobject_cast<QToolButton *>(tools->button(int(tool)));
}

void DrawingTools::showColors()
{
    strip->setColors(document.palettes().value(selection.palette()), document.background(), selection.colorModel());
}

void DrawingTools::selectionChanged(Selection::Parts parts)
{
    if (parts & (Selection::Palette | Selection::Colors))
        showColors();
    if (parts & Selection::DrawingIndex)
        strip->setCurrentIndex(selection.drawingIndex());
    if (parts & Selection::DrawingOptions) {
        const QSignalBlocker quietFilled(filled), quietSymmetry(symmetry);
        filled->setChecked(selection.shapesFilled());
        symmetry->setChecked(selection.mirrorSymmetry());
    }
    if (parts & Selection::DrawingTool) {
        const QSignalBlocker quiet(tools);
        for (QAbstractButton *button : tools->buttons())
            button->setChecked(tools->id(button) == int(selection.tool()));
    }
}

void DrawingTools::tablesChanged(const TableChanges &changes)
{
    if (changes.touchesPalette(selection.palette()))
        showColors();
}
