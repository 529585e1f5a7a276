#include "editor/controllers/consolecolours.h"

#include <QLabel>

#include "editor/state/selection.h"
#include "editor/state/sessionoption.h"

ConsoleColours::ConsoleColours(Selection &selection, const SessionOption<bool> &option, QWidget *parentWidget)
    : QObject(parentWidget), selection(selection)
{
    setObjectName(QStringLiteral("consoleColours"));
    label = new QLabel(tr("console colours"), parentWidget);
    label->setObjectName(QStringLiteral("labelConsoleColours"));
    label->setAccessibleName(tr("console colours"));
    apply(option.value());
    connect(&option, &SessionOptionBase::changed, this, [this, &option] { apply(option.value()); });
}

void ConsoleColours::apply(bool on)
{
    selection.setColorModel(on ? ColorModel::Console : ColorModel::Linear);
    label->setVisible(on);
}
