#include "app/skmcareditor.h"

#include <QImage>
#include <QPixmap>

#include "ui_skmcareditor.h"

void SKMcarEditor::ShowColors()
{
    // The three editable entries of the selected palette and the background,
    // each as a 10 x 20 block that is the whole content of its label.
    const int index = CurrentPaletteIndex();
    const Palette palette = (index >= 0 && index < palettes.size()) ? palettes.at(index) : Palette();

    QImage swatch(10, 20, QImage::Format_RGB888);
    const auto show = [&swatch](QLabel *label, const QColor &color) {
        swatch.fill(color);
        label->setPixmap(QPixmap::fromImage(swatch));
    };
    show(ui->labelColor1, palette.value(1, QColor(Qt::black)));
    show(ui->labelColor2, palette.value(2, QColor(Qt::black)));
    show(ui->labelColor3, palette.value(3, QColor(Qt::black)));
    show(ui->labelColorBg, backgroundColor);
}
