#include "editor/dialogs/consolecolourpicker.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kCell = 13;     // a colour's cell, square
constexpr int kGap = 4;       // between the blocks of one blue level
constexpr int kMargin = 2;    // room for the current cell's outline
const QSize kSwatch(56, 36);

QPixmap Swatch(const QColor &colour)
{
    QPixmap swatch(kSwatch);
    swatch.fill(colour);
    return swatch;
}

QString LevelsText(ColorWord word)
{
    const ChannelLevels levels = LevelsOfWord(word);
    return ConsoleColourGrid::tr("red %1, green %2, blue %3, %4")
        .arg(levels.red)
        .arg(levels.green)
        .arg(levels.blue)
        .arg(WordText(word));
}

} // namespace

ConsoleColourGrid::ConsoleColourGrid(ColorModel model, QWidget *parent) : QWidget(parent), model(model)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(LevelsText(current));
}

void ConsoleColourGrid::setWord(ColorWord word)
{
    word = WordFrom16(Word16(word));
    if (word == current)
        return;
    update(cellRect(GridCellOf(LevelsOfWord(current))).adjusted(-kMargin, -kMargin, kMargin, kMargin));
    current = word;
    update(cellRect(GridCellOf(LevelsOfWord(current))).adjusted(-kMargin, -kMargin, kMargin, kMargin));
    setAccessibleDescription(LevelsText(current));
}

QRect ConsoleColourGrid::cellRect(QPoint cell) const
{
    return QRect(kMargin + cell.x() * kCell + (cell.x() / 8) * kGap, kMargin + cell.y() * kCell + (cell.y() / 8) * kGap,
                 kCell, kCell);
}

QSize ConsoleColourGrid::sizeHint() const
{
    return QSize(2 * kMargin + kLevelGridColumns * kCell + (kLevelGridColumns / 8 - 1) * kGap,
                 2 * kMargin + kLevelGridRows * kCell + (kLevelGridRows / 8 - 1) * kGap);
}

std::optional<QPoint> ConsoleColourGrid::cellAt(QPoint position) const
{
    for (int y = 0; y < kLevelGridRows; ++y)
        for (int x = 0; x < kLevelGridColumns; ++x)
            if (cellRect({x, y}).contains(position))
                return QPoint(x, y);
    return std::nullopt;
}

void ConsoleColourGrid::moveTo(QPoint cell)
{
    const ColorWord word = WordOfLevels(LevelsOfGridCell(cell));
    if (word == current)
        return;
    setWord(word);
    emit colourChanged(current);
}

void ConsoleColourGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int y = 0; y < kLevelGridRows; ++y)
        for (int x = 0; x < kLevelGridColumns; ++x)
            painter.fillRect(cellRect({x, y}), ColorFromWord(WordOfLevels(LevelsOfGridCell({x, y})), model));
    // The current cell: a light outline inside a dark one, seen on any colour;
    // twice as thick while the grid has the keyboard.
    const QRect cell = cellRect(GridCellOf(LevelsOfWord(current)));
    const int width = hasFocus() ? 2 : 1;
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    const int outer = width == 2 ? 1 : 0;
    painter.drawRect(cell.adjusted(-width + outer, -width + outer, width - outer - 1, width - outer - 1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(cell.adjusted(width - 1, width - 1, -width, -width));
}

void ConsoleColourGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    if (const std::optional<QPoint> cell = cellAt(event->position().toPoint()))
        moveTo(*cell);
}

void ConsoleColourGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const std::optional<QPoint> cell = cellAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !cell)
        return QWidget::mouseDoubleClickEvent(event);
    moveTo(*cell);
    emit activated(current);
}

void ConsoleColourGrid::keyPressEvent(QKeyEvent *event)
{
    const QPoint cell = GridCellOf(LevelsOfWord(current));
    switch (event->key()) {
    case Qt::Key_Left: moveTo(cell + QPoint(-1, 0)); break;
    case Qt::Key_Right: moveTo(cell + QPoint(1, 0)); break;
    case Qt::Key_Up: moveTo(cell + QPoint(0, -1)); break;
    case Qt::Key_Down: moveTo(cell + QPoint(0, 1)); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: emit activated(current); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void ConsoleColourGrid::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void ConsoleColourGrid::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

ConsoleColourPicker::ConsoleColourPicker(const QString &title, ColorWord initialWord, ColorModel model, QWidget *parent)
    : QDialog(parent), model(model), initial(WordFrom16(Word16(initialWord))), chosen(initial)
{
    setObjectName(QStringLiteral("consoleColourPicker"));
    setWindowTitle(title);
    const auto named = [](QWidget *widget, const QString &name, const char *objectName) {
        widget->setAccessibleName(name);
        widget->setObjectName(QString::fromLatin1(objectName));
    };

    auto *shownIn = new QLabel(model == ColorModel::Console ? tr("Shown in console colours")
                                                           : tr("Shown in linear colours"));
    shownIn->setObjectName(QStringLiteral("labelColourModel"));
    grid = new ConsoleColourGrid(model);
    named(grid, tr("Colours"), "gridConsoleColours");
    auto *gridLabel = new QLabel(tr("&Colours:"));
    gridLabel->setBuddy(grid);

    auto *levels = new QFormLayout;
    wordEdit = new QLineEdit;
    named(wordEdit, tr("Word"), "lineEditColourWord");
    wordEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("(0[xX])?[0-9A-Fa-f]{0,4}")),
                                                           wordEdit));
    wordEdit->setToolTip(tr("The colour as the ROM stores it: 0000 BBB0 GGG0 RRR0 in hex"));
    levels->addRow(tr("&Word:"), wordEdit);
    const auto level = [&](const QString &name, const QString &label, const char *objectName) {
        auto *spin = new QSpinBox;
        spin->setRange(0, 7);
        named(spin, name, objectName);
        levels->addRow(label, spin);
        connect(spin, &QSpinBox::valueChanged, this, [this] {
            if (!showing)
                setWord(WordOfLevels({red->value(), green->value(), blue->value()}));
        });
        return spin;
    };
    red = level(tr("Red"), tr("&Red:"), "spinBoxLevelRed");
    green = level(tr("Green"), tr("&Green:"), "spinBoxLevelGreen");
    blue = level(tr("Blue"), tr("&Blue:"), "spinBoxLevelBlue");

    auto *preview = new QGridLayout;
    auto *oldSwatch = new QLabel;
    named(oldSwatch, tr("Old"), "labelOldColour");
    oldSwatch->setPixmap(Swatch(ColorFromWord(initial, model)));
    oldSwatch->setAccessibleDescription(WordText(initial));
    oldSwatch->setToolTip(WordText(initial));
    newSwatch = new QLabel;
    named(newSwatch, tr("New"), "labelNewColour");
    for (QLabel *swatch : {oldSwatch, newSwatch}) {
        swatch->setFrameShape(QFrame::Box);
        swatch->setAlignment(Qt::AlignCenter);
    }
    preview->addWidget(oldSwatch, 0, 0);
    preview->addWidget(newSwatch, 0, 1);
    preview->addWidget(new QLabel(tr("Old")), 1, 0, Qt::AlignHCenter);
    preview->addWidget(new QLabel(tr("New")), 1, 1, Qt::AlignHCenter);
    preview->setRowStretch(2, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("buttonBoxColour"));
    QPushButton *moreButton = buttons->addButton(tr("&More..."), QDialogButtonBox::ActionRole);
    named(moreButton, tr("More..."), "pushButtonMoreColours");
    moreButton->setToolTip(tr("Choose from all colours; the choice is brought to the nearest console colour"));
    moreButton->setAutoDefault(false);
    connect(moreButton, &QPushButton::clicked, this, &ConsoleColourPicker::chooseMore);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(grid, &ConsoleColourGrid::colourChanged, this, &ConsoleColourPicker::setWord);
    connect(grid, &ConsoleColourGrid::activated, this, [this](ColorWord word) {
        setWord(word);
        accept();
    });
    connect(wordEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (const std::optional<ColorWord> typed = WordFromText(text)) {
            QScopedValueRollback<bool> typing(showing, true);
            chosen = *typed;
            showWord();
        }
    });
    connect(wordEdit, &QLineEdit::editingFinished, this, [this] { wordEdit->setText(WordText(chosen)); });

    auto *middle = new QHBoxLayout;
    middle->addLayout(levels);
    middle->addSpacing(16);
    middle->addLayout(preview);
    middle->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(shownIn);
    layout->addWidget(gridLabel);
    layout->addWidget(grid, 0, Qt::AlignLeft);
    layout->addLayout(middle);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showing = true;
    showWord();
    showing = false;
    grid->setFocus(Qt::OtherFocusReason);
}

void ConsoleColourPicker::setWord(ColorWord word)
{
    chosen = WordFrom16(Word16(word));
    QScopedValueRollback<bool> setting(showing, true);
    showWord();
}

void ConsoleColourPicker::showWord()
{
    const ChannelLevels levels = LevelsOfWord(chosen);
    grid->setWord(chosen);
    red->setValue(levels.red);
    green->setValue(levels.green);
    blue->setValue(levels.blue);
    // While the word is typed, it stays as typed.
    if (WordFromText(wordEdit->text()) != chosen)
        wordEdit->setText(WordText(chosen));
    newSwatch->setPixmap(Swatch(ColorFromWord(chosen, model)));
    newSwatch->setAccessibleDescription(WordText(chosen));
    newSwatch->setToolTip(WordText(chosen));
}

void ConsoleColourPicker::chooseMore()
{
    const QColor start = ColorFromWord(chosen);
    std::optional<QColor> picked;
    if (more) {
        picked = more(start);
    } else {
        const QColor colour = QColorDialog::getColor(start, this, windowTitle());
        if (colour.isValid())
            picked = colour;
    }
    if (picked)
        setWord(WordFromColor(*picked));
}
