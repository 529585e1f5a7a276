#include "app/skmcareditor.h"

#include <QCloseEvent>

#include "ui_skmcareditor.h"

SKMcarEditor::SKMcarEditor(QWidget *parent) : QWidget(parent), ui(new Ui::SKMcarEditor) {}

SKMcarEditor::SKMcarEditor(const QString &romPath, QWidget *parent) : QWidget(parent), ui(new Ui::SKMcarEditor)
{
    Initialise(CarData(), romPath);
}

SKMcarEditor::~SKMcarEditor()
{
    delete ui;
}

void SKMcarEditor::closeEvent(QCloseEvent *event)
{
    event->accept();
}

void SKMcarEditor::Initialise(const CarData &data, const QString &romPath)
{
    Q_UNUSED(data);
    romFileName = romPath;
    ui->setupUi(this);
    ConnectControls();
}

void SKMcarEditor::ConnectControls() {}
int SKMcarEditor::CurrentCar() const { return 0; }
int SKMcarEditor::CurrentSprite() const { return 0; }
int SKMcarEditor::CurrentPaletteIndex() const { return 0; }
